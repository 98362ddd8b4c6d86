#include "platform/qt/qt_tree_control.h"

#include <QCoreApplication>
#include <QTreeWidget>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace veso::platform {
namespace {

std::u16string label(int n) {
    return u"item " + QString::number(n).toStdU16String();
}

// Processes events until done() holds or about five seconds have passed.
template <typename Done> bool process_until(Done done) {
    for (int i = 0; i < 5000 && !done(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return done();
}

TEST(QtTreeControl, WorkerInsertionsArriveInOrderOnTheUserInterfaceThread) {
    QTreeWidget widget;
    qt_tree_control tree(widget);
    constexpr int roots = 5;
    constexpr int children = 400;
    std::vector<tree_item> root_items(roots);
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        for (int r = 0; r < roots; ++r) {
            root_items[r] = tree.insert_last_child(no_tree_item, label(r));
            for (int c = 0; c < children; ++c) {
                const auto child = tree.insert_last_child(root_items[r], label(c));
                if (c % 100 == 0) {
                    tree.insert_last_child(child, u"grandchild");
                }
            }
        }
        tree.update_window();
        finished = true;
    });
    ASSERT_TRUE(process_until([&] { return finished.load(); }));
    worker.join();
    tree.flush_pending();

    ASSERT_EQ(widget.topLevelItemCount(), roots);
    for (int r = 0; r < roots; ++r) {
        const auto* root = widget.topLevelItem(r);
        EXPECT_EQ(root->text(0).toStdU16String(), label(r));
        EXPECT_EQ(tree.handle_of(root), root_items[r]);
        ASSERT_EQ(root->childCount(), children);
        for (int c = 0; c < children; ++c) {
            EXPECT_EQ(root->child(c)->text(0).toStdU16String(), label(c));
            EXPECT_EQ(root->child(c)->childCount(), c % 100 == 0 ? 1 : 0);
        }
        EXPECT_TRUE(tree.has_children(root_items[r]));
        EXPECT_EQ(tree.parent_of(root_items[r]), no_tree_item);
        EXPECT_EQ(tree.label_of(root_items[r]), label(r));
    }
}

TEST(QtTreeControl, HandlesAreUsableAtOnceOnTheUserInterfaceThread) {
    QTreeWidget widget;
    qt_tree_control tree(widget);
    const auto root = tree.insert_last_child(no_tree_item, u"root");
    const auto child = tree.insert_last_child(root, u"child");
    EXPECT_EQ(tree.parent_of(child), root);
    EXPECT_FALSE(tree.has_children(child));
    EXPECT_EQ(tree.label_of(child), u"child");
    // Unknown handles are answered, not followed.
    EXPECT_EQ(tree.label_of(12345), u"");
    EXPECT_EQ(tree.parent_of(12345), no_tree_item);
    EXPECT_EQ(tree.widget_item(no_tree_item), nullptr);
}

TEST(QtTreeControl, SelectingReportsTheChangeAsAClickDoes) {
    QTreeWidget widget;
    qt_tree_control tree(widget);
    const auto root = tree.insert_last_child(no_tree_item, u"root");
    const auto child = tree.insert_last_child(root, u"child");
    int reports = 0;
    tree_item reported = no_tree_item;
    QObject::connect(&widget, &QTreeWidget::currentItemChanged, [&](QTreeWidgetItem* current) {
        ++reports;
        reported = tree.handle_of(current);
    });
    tree.select(child);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(reported, child);
    EXPECT_EQ(tree.selected(), child);
    tree.expand(root);
    EXPECT_TRUE(tree.widget_item(root)->isExpanded());
    tree.collapse(root);
    EXPECT_FALSE(tree.widget_item(root)->isExpanded());
}

TEST(QtTreeControl, GeometryAnswersMatchTheWidget) {
    QTreeWidget widget;
    widget.resize(200, 300);
    qt_tree_control tree(widget);
    std::vector<tree_item> items;
    for (int i = 0; i < 5; ++i) {
        items.push_back(tree.insert_last_child(no_tree_item, label(i)));
    }
    widget.show();
    EXPECT_EQ(tree.first_visible(), items[0]);
    EXPECT_EQ(tree.next_visible(items[0]), items[1]);
    EXPECT_EQ(tree.next_visible(items[4]), no_tree_item);
    const rect second = tree.label_rect(items[1]);
    EXPECT_GT(second.height(), 0);
    EXPECT_EQ(tree.hit_test(second.left + 2, second.top + 1), items[1]);
    EXPECT_EQ(tree.hit_test(5, 290), no_tree_item);
    EXPECT_GE(tree.visible_count(), 5);
}

} // namespace
} // namespace veso::platform
