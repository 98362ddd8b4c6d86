#include "app/colour_tree.h"
#include "fake_tree.h"
#include "platform/headless/headless_ui_services.h"
#include "platform/headless/memory_settings_store.h"

#include <gtest/gtest.h>

namespace veso {
namespace {

constexpr std::u16string_view colour_key = u"SOFTWARE\\q417\\veso\\Settings\\Color";

class ColourTreeTest : public testing::Test {
protected:
    void SetUp() override {
        table.load_colours(&store);
        logic.fill_colour_tree(tree, table);
    }
    int row_y(ColourCategory category) const {
        return static_cast<int>(logic.item_of(category) - 1) * test::fake_tree::row_height + 4;
    }

    platform::memory_settings_store store;
    platform::headless_ui_services ui;
    test::fake_tree tree;
    ColourTable table;
    colour_tree logic;
};

TEST_F(ColourTreeTest, FillInsertsThreeRootsWithTheirChildrenExpanded) {
    ASSERT_EQ(tree.nodes.size(), 17u);
    const std::vector<std::pair<std::u16string, std::u16string>> expected{
        {u"Noun (Default)", u""},
        {u"Nominative", u"Noun (Default)"},
        {u"Genitive", u"Noun (Default)"},
        {u"Dative", u"Noun (Default)"},
        {u"Accusative", u"Noun (Default)"},
        {u"Ablative", u"Noun (Default)"},
        {u"Participle (Default)", u""},
        {u"Nominative", u"Participle (Default)"},
        {u"Genitive", u"Participle (Default)"},
        {u"Dative", u"Participle (Default)"},
        {u"Accusative", u"Participle (Default)"},
        {u"Ablative", u"Participle (Default)"},
        {u"Verb (Default)", u""},
        {u"Active", u"Verb (Default)"},
        {u"Middle", u"Verb (Default)"},
        {u"Middle-Passive", u"Verb (Default)"},
        {u"Passive", u"Verb (Default)"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& node = tree.nodes[i];
        EXPECT_EQ(node.label, expected[i].first) << i;
        const auto parent = node.parent == 0 ? std::u16string() : tree.at(node.parent).label;
        EXPECT_EQ(parent, expected[i].second) << i;
        EXPECT_EQ(node.expanded, node.parent == 0) << i;
    }
    for (std::size_t i = 0; i < colour_category_count; ++i) {
        const auto category = static_cast<ColourCategory>(i);
        EXPECT_EQ(logic.item_colour(logic.item_of(category)), table.colour_of(category));
    }
}

TEST_F(ColourTreeTest, ItemWithoutColourReportsNone) {
    EXPECT_EQ(logic.item_colour(999), colour_tree::no_colour);
}

TEST_F(ColourTreeTest, ClickOnNoItemDoesNothing) {
    const int writes = store.write_count();
    EXPECT_FALSE(logic.click(10, 10'000, tree, ui, table, &store));
    EXPECT_TRUE(ui.colour_chooser_initials().empty());
    EXPECT_EQ(store.write_count(), writes);
}

TEST_F(ColourTreeTest, ChosenColourGoesToTableAndStore) {
    ui.reply_to_colour_chooser(0x00112233);
    const int writes = store.write_count();
    EXPECT_TRUE(logic.click(30, row_y(ColourCategory::VerbMiddle), tree, ui, table, &store));
    ASSERT_EQ(ui.colour_chooser_initials().size(), 1u);
    EXPECT_EQ(ui.colour_chooser_initials()[0], 0x00808000u);
    EXPECT_EQ(table.colour_of(ColourCategory::VerbMiddle), 0x00112233u);
    EXPECT_EQ(store.write_count(), writes + 17);
    EXPECT_EQ(std::get<std::uint32_t>(*store.value_of(colour_key, u"VerbMiddle")), 0x00112233u);
    // A click neither selects nor expands or collapses.
    EXPECT_EQ(tree.selected_item, platform::no_tree_item);
    EXPECT_TRUE(tree.at(logic.item_of(ColourCategory::VerbDefault)).expanded);
}

TEST_F(ColourTreeTest, CancelStillWritesAllSeventeenUnchanged) {
    const int writes = store.write_count();
    EXPECT_TRUE(logic.click(30, row_y(ColourCategory::NounDefault), tree, ui, table, &store));
    EXPECT_EQ(store.write_count(), writes + 17);
    for (std::size_t i = 0; i < colour_category_count; ++i) {
        const auto category = static_cast<ColourCategory>(i);
        EXPECT_EQ(table.colour_of(category), ColourTable::default_colour(category));
    }
}

} // namespace
} // namespace veso
