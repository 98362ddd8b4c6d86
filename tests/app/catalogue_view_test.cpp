#include "app/catalogue_view.h"
#include "lexicon/lexicon.h"
#include "library/mydoc.h"
#include "test_ui.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace veso {
namespace {

QTreeWidgetItem* find_child(QTreeWidgetItem* parent, const QString& label) {
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == label) {
            return parent->child(i);
        }
    }
    return nullptr;
}

int count_items(QTreeWidgetItem* item) {
    int n = 1;
    for (int i = 0; i < item->childCount(); ++i) {
        n += count_items(item->child(i));
    }
    return n;
}

class CatalogueViewTest : public testing::Test {
protected:
    CatalogueViewTest()
        : document(ui, nullptr, std::filesystem::path(folder.path().toStdString())),
          view(document) {
        document.attach(&view.catalogue(), nullptr, nullptr);
        view.resize(300, 600);
        view.show();
    }
    void wait_until_filled() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return view.catalogue().built(); }, 10000));
        view.control().flush_pending();
    }
    QTreeWidgetItem* iliad_book(const QString& book) {
        auto* epic = view.topLevelItem(0);
        auto* homer = find_child(epic, QStringLiteral("Homer (c. 800 BCE)"));
        auto* iliad = homer ? find_child(homer, QStringLiteral("Iliad")) : nullptr;
        return iliad ? find_child(iliad, book) : nullptr;
    }

    QTemporaryDir folder;
    test::test_ui ui;
    mydoc document;
    textsmenu_view view;
};

TEST_F(CatalogueViewTest, WorkerFillsAllItemsUnderTheSevenGenres) {
    wait_until_filled();
    ASSERT_EQ(view.topLevelItemCount(), 7);
    EXPECT_EQ(view.topLevelItem(0)->text(0), QStringLiteral("  Early and Epic Poetry"));
    EXPECT_EQ(view.topLevelItem(6)->text(0), QStringLiteral("  Religion"));
    int total = 0;
    for (int i = 0; i < view.topLevelItemCount(); ++i) {
        total += count_items(view.topLevelItem(i));
    }
    EXPECT_EQ(total, 6480);
}

TEST_F(CatalogueViewTest, SelectingALeafTitlesTheDocumentAndLoadsItsIdentifier) {
    wait_until_filled();
    auto* book1 = iliad_book(QStringLiteral("Book 1"));
    ASSERT_NE(book1, nullptr);
    view.setCurrentItem(book1);
    EXPECT_EQ(QString::fromStdU16String(document.title()),
              QStringLiteral("Book 1, Iliad, Homer (c. 800 BCE),   Early and Epic Poetry"));
    EXPECT_EQ(view.catalogue().selected_item(), view.control().handle_of(book1));
    // The passage load itself reports the missing data folder.
    EXPECT_FALSE(ui.messages().empty());
}

TEST_F(CatalogueViewTest, SelectingABranchExpandsItAndCollapsesTheOneLeft) {
    wait_until_filled();
    auto* epic = view.topLevelItem(0);
    auto* lyric = view.topLevelItem(1);
    view.setCurrentItem(epic);
    EXPECT_TRUE(epic->isExpanded());
    EXPECT_TRUE(ui.messages().empty());
    view.setCurrentItem(lyric);
    EXPECT_TRUE(lyric->isExpanded());
    EXPECT_FALSE(epic->isExpanded());
    EXPECT_EQ(QString::fromStdU16String(document.title()), QStringLiteral("  Lyric Poetry"));
}

TEST_F(CatalogueViewTest, SelectItemByIdSelectsTheLeafCarryingIt) {
    wait_until_filled();
    view.catalogue().select_item_by_id(40520);
    EXPECT_EQ(view.currentItem(), iliad_book(QStringLiteral("Book 2")));
    EXPECT_EQ(QString::fromStdU16String(document.title()),
              QStringLiteral("Book 2, Iliad, Homer (c. 800 BCE),   Early and Epic Poetry"));
}

} // namespace
} // namespace veso
