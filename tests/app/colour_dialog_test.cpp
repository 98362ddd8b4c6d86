#include "app/colour_dialog.h"
#include "platform/headless/memory_settings_store.h"
#include "test_ui.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace veso {
namespace {

class ColourDialogTest : public testing::Test {
protected:
    ColourDialogTest() {
        table.load_colours(&store);
        // Bright, far-apart colours so that each label's pixels can be told from the others.
        for (std::size_t i = 0; i < colour_category_count; ++i) {
            const auto step = static_cast<std::uint8_t>(i * 13);
            table.set_colour(static_cast<ColourCategory>(i),
                             i % 3 == 0   ? platform::make_colour(230, step, 0)
                             : i % 3 == 1 ? platform::make_colour(0, 200, step)
                                          : platform::make_colour(step, 0, 230));
        }
    }
    QPoint row_point(CTreeCtrlEx& tree, ColourCategory category) {
        const auto r = tree.control().label_rect(tree.logic().item_of(category));
        return QPoint(r.left + 10, (r.top + r.bottom) / 2);
    }

    platform::memory_settings_store store;
    test::test_ui ui;
    ColourTable table;
};

// Whether the row shows a pixel close to the colour (text edges blend with the background, and
// the focused row has a tinted frame).
bool row_has_colour(const QImage& image, const QRect& row, platform::colour_ref colour) {
    const QColor wanted(platform::red_of(colour), platform::green_of(colour),
                        platform::blue_of(colour));
    for (int y = row.top(); y <= row.bottom(); ++y) {
        for (int x = row.left(); x <= row.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - wanted.red()) + std::abs(c.green() - wanted.green()) +
                    std::abs(c.blue() - wanted.blue()) <
                90) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(ColourDialogTest, EveryLabelIsPaintedInItsColour) {
    colordlg dialog(table, &store, ui);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Choose colors..."));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto& tree = dialog.tree();
    const QImage image = tree.viewport()->grab().toImage();
    for (std::size_t i = 0; i < colour_category_count; ++i) {
        const auto category = static_cast<ColourCategory>(i);
        const auto* item = tree.control().widget_item(tree.logic().item_of(category));
        ASSERT_NE(item, nullptr);
        const QRect row = tree.visualItemRect(item);
        ASSERT_FALSE(row.isEmpty()) << i;
        EXPECT_TRUE(row_has_colour(image, row, table.colour_of(category))) << i;
        // Another category's colour is not on this row.
        const auto other = static_cast<ColourCategory>((i + 1) % colour_category_count);
        EXPECT_FALSE(row_has_colour(image, row, table.colour_of(other))) << i;
    }
}

TEST_F(ColourDialogTest, ClickOpensTheChooserAndSavesWithoutSelectingOrCollapsing) {
    colordlg dialog(table, &store, ui);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto& tree = dialog.tree();
    ui.reply_to_colour_chooser(platform::make_colour(1, 2, 3));
    const int writes = store.write_count();
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                      row_point(tree, ColourCategory::VerbDefault));
    EXPECT_EQ(table.colour_of(ColourCategory::VerbDefault), platform::make_colour(1, 2, 3));
    EXPECT_EQ(store.write_count(), writes + 17);
    const auto* verb =
        tree.control().widget_item(tree.logic().item_of(ColourCategory::VerbDefault));
    EXPECT_TRUE(verb->isExpanded());
    EXPECT_FALSE(verb->isSelected());

    // A right click with Cancel keeps the colour but still writes all seventeen.
    QTest::mouseClick(tree.viewport(), Qt::RightButton, {},
                      row_point(tree, ColourCategory::NounGenitive));
    EXPECT_EQ(store.write_count(), writes + 34);
    EXPECT_EQ(ui.colour_chooser_initials().size(), 2u);
    EXPECT_EQ(ui.colour_chooser_initials()[1], table.colour_of(ColourCategory::NounGenitive));
}

TEST_F(ColourDialogTest, NeitherClicksBelowTheItemsNorDragsNorKeysSelectAnything) {
    colordlg dialog(table, &store, ui);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto& tree = dialog.tree();
    QWidget* viewport = tree.viewport();
    const int writes = store.write_count();
    // Pressed below the items, dragged onto one with the button held, released there.
    const QPoint below(10, viewport->height() - 2);
    const QPoint on_item = row_point(tree, ColourCategory::NounDative);
    QTest::mousePress(viewport, Qt::LeftButton, {}, below);
    for (const QPoint at : {below, (below + on_item) / 2, on_item}) {
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, on_item);
    EXPECT_TRUE(tree.selectedItems().isEmpty());
    // The keys that select in a tree.
    tree.setFocus();
    for (const auto key : {QKeyCombination(Qt::Key_Down), QKeyCombination(Qt::Key_Space),
                           QKeyCombination(Qt::SHIFT | Qt::Key_Down),
                           QKeyCombination(Qt::CTRL | Qt::Key_A), QKeyCombination(Qt::Key_End)})
        QTest::keyClick(&tree, key.key(), key.keyboardModifiers());
    EXPECT_TRUE(tree.selectedItems().isEmpty());
    EXPECT_TRUE(ui.colour_chooser_initials().empty());
    EXPECT_EQ(store.write_count(), writes);
}

} // namespace
} // namespace veso
