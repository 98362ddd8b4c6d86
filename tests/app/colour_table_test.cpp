#include "colours/colour_table.h"
#include "platform/headless/memory_settings_store.h"

#include <gtest/gtest.h>
#include <string_view>
#include <utility>
#include <vector>

namespace veso {
namespace {

constexpr std::u16string_view colour_key = u"SOFTWARE\\q417\\veso\\Settings\\Color";

ColourCategory category(std::size_t i) {
    return static_cast<ColourCategory>(i);
}

TEST(ColourTableDefaults, MatchTheDocumentedTable) {
    // Settings value names and default colours (0x00BBGGRR), in table order.
    const std::vector<std::pair<std::u16string_view, platform::colour_ref>> expected = {
        {u"NounDefault", 0x00000064},    {u"NounNominative", 0x000000D7},
        {u"NounGenitive", 0x00000064},   {u"NounDative", 0x00000064},
        {u"NounAccusative", 0x00000064}, {u"NounAblative", 0x00000064},
        {u"PartDefault", 0x00640000},    {u"PartNominative", 0x00640000},
        {u"PartGenitive", 0x00640000},   {u"PartDative", 0x00640000},
        {u"PartAccusative", 0x00640000}, {u"PartAblative", 0x00640000},
        {u"VerbDefault", 0x00FF0000},    {u"VerbActive", 0x00FF0000},
        {u"VerbMiddle", 0x00808000},     {u"VerbMiddlePassive", 0x00008000},
        {u"VerbPassive", 0x00004000}};
    ASSERT_EQ(expected.size(), colour_category_count);
    for (std::size_t i = 0; i < colour_category_count; ++i) {
        EXPECT_EQ(ColourTable::value_name(category(i)), expected[i].first) << i;
        EXPECT_EQ(ColourTable::default_colour(category(i)), expected[i].second) << i;
    }
}

TEST(ColourTableLoad, EmptyStoreGetsTheSeventeenDefaultsWrittenAndRead) {
    platform::memory_settings_store store;
    ColourTable table;
    table.load_colours(&store);
    EXPECT_EQ(store.write_count(), 17);
    for (std::size_t i = 0; i < colour_category_count; ++i) {
        const auto stored = store.value_of(colour_key, ColourTable::value_name(category(i)));
        ASSERT_TRUE(stored);
        EXPECT_EQ(std::get<std::uint32_t>(*stored), ColourTable::default_colour(category(i)));
        EXPECT_EQ(table.colour_of(category(i)), ColourTable::default_colour(category(i)));
    }
}

TEST(ColourTableLoad, StoredValuesAreReadWithoutRewriting) {
    platform::memory_settings_store store;
    {
        ColourTable first;
        first.load_colours(&store);
        first.set_colour(ColourCategory::VerbPassive, 0x00123456);
        first.save_colours(&store);
    }
    const int writes = store.write_count();
    ColourTable table;
    table.load_colours(&store);
    EXPECT_EQ(store.write_count(), writes);
    EXPECT_EQ(table.colour_of(ColourCategory::VerbPassive), 0x00123456u);
}

TEST(ColourTableLoad, NounDefaultOfAnotherTypeResetsAllSeventeen) {
    platform::memory_settings_store store;
    ColourTable table;
    table.load_colours(&store);
    table.set_colour(ColourCategory::VerbActive, 0x00010203);
    table.save_colours(&store);
    store.write_text(colour_key, u"NounDefault", u"crimson");

    ColourTable reloaded;
    reloaded.load_colours(&store);
    for (std::size_t i = 0; i < colour_category_count; ++i) {
        EXPECT_EQ(reloaded.colour_of(category(i)), ColourTable::default_colour(category(i)));
    }
}

TEST(ColourTableLoad, UnreadableValueRepeatsTheOneBeforeIt) {
    platform::memory_settings_store store;
    ColourTable table;
    table.load_colours(&store);
    table.set_colour(ColourCategory::NounAccusative, 0x00ABCDEF);
    table.save_colours(&store);
    store.write_text(colour_key, u"NounAblative", u"not a number");

    ColourTable reloaded;
    reloaded.load_colours(&store);
    EXPECT_EQ(reloaded.colour_of(ColourCategory::NounAblative), 0x00ABCDEFu);
    EXPECT_EQ(reloaded.colour_of(ColourCategory::PartDefault), 0x00640000u);
}

TEST(ColourTableLoad, WithoutAStoreTheDefaultsAreUsedInsteadOfBlack) {
    platform::memory_settings_store store;
    store.set_available(false);
    ColourTable table;
    table.load_colours(&store);
    ColourTable without;
    without.load_colours(nullptr);
    for (std::size_t i = 0; i < colour_category_count; ++i) {
        EXPECT_EQ(table.colour_of(category(i)), ColourTable::default_colour(category(i)));
        EXPECT_EQ(without.colour_of(category(i)), ColourTable::default_colour(category(i)));
    }
    table.save_colours(&store); // nothing to write to, nothing happens
    EXPECT_EQ(store.write_count(), 0);
}

} // namespace
} // namespace veso
