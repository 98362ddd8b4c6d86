#include "colours/colour_table.h"

namespace veso {

namespace {

constexpr std::u16string_view colour_key = u"SOFTWARE\\q417\\veso\\Settings\\Color";

struct category_row {
    std::u16string_view value_name;
    platform::colour_ref default_colour;
};

// Table order is the order of the settings values and of every loop over them.
constexpr std::array<category_row, colour_category_count> category_rows{{
    {u"NounDefault", 0x00000064},
    {u"NounNominative", 0x000000D7},
    {u"NounGenitive", 0x00000064},
    {u"NounDative", 0x00000064},
    {u"NounAccusative", 0x00000064},
    {u"NounAblative", 0x00000064},
    {u"PartDefault", 0x00640000},
    {u"PartNominative", 0x00640000},
    {u"PartGenitive", 0x00640000},
    {u"PartDative", 0x00640000},
    {u"PartAccusative", 0x00640000},
    {u"PartAblative", 0x00640000},
    {u"VerbDefault", 0x00FF0000},
    {u"VerbActive", 0x00FF0000},
    {u"VerbMiddle", 0x00808000},
    {u"VerbMiddlePassive", 0x00008000},
    {u"VerbPassive", 0x00004000},
}};

ColourCategory category_at(std::size_t index) {
    return static_cast<ColourCategory>(index);
}

} // namespace

std::u16string_view ColourTable::value_name(ColourCategory category) {
    return category_rows.at(static_cast<std::size_t>(category)).value_name;
}

platform::colour_ref ColourTable::default_colour(ColourCategory category) {
    return category_rows.at(static_cast<std::size_t>(category)).default_colour;
}

void ColourTable::load_colours(platform::settings_store* store) {
    const auto key = store ? store->open_key(colour_key) : nullptr;
    if (!key) {
        // Without a store the words would all be black; the defaults keep the colours meaningful.
        for (std::size_t i = 0; i < colour_category_count; ++i) {
            entries_[i] = default_colour(category_at(i));
        }
        return;
    }
    if (key->type_of(value_name(ColourCategory::NounDefault)) != platform::value_type::dword) {
        for (std::size_t i = 0; i < colour_category_count; ++i) {
            key->write_dword(value_name(category_at(i)), default_colour(category_at(i)));
        }
    }
    // One buffer for all reads: a value that cannot be read repeats the one before it.
    platform::colour_ref buffer = default_colour(ColourCategory::NounDefault);
    for (std::size_t i = 0; i < colour_category_count; ++i) {
        if (const auto value = key->read_dword(value_name(category_at(i)))) {
            buffer = *value;
        }
        entries_[i] = buffer;
    }
}

void ColourTable::save_colours(platform::settings_store* store) const {
    const auto key = store ? store->open_key(colour_key) : nullptr;
    if (!key) {
        return;
    }
    for (std::size_t i = 0; i < colour_category_count; ++i) {
        key->write_dword(value_name(category_at(i)), entries_[i]);
    }
}

} // namespace veso
