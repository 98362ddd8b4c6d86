#pragma once

#include "platform/colour.h"
#include "platform/settings_store.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace veso {

// The seventeen colour categories, in the order of the table, the settings values and the colour
// tree.
enum class ColourCategory {
    NounDefault,
    NounNominative,
    NounGenitive,
    NounDative,
    NounAccusative,
    NounAblative,
    PartDefault,
    PartNominative,
    PartGenitive,
    PartDative,
    PartAccusative,
    PartAblative,
    VerbDefault,
    VerbActive,
    VerbMiddle,
    VerbMiddlePassive,
    VerbPassive,
};
constexpr std::size_t colour_category_count = 17;

// The seventeen colours the text view paints words in, persisted under
// "SOFTWARE\q417\veso\Settings\Color".
class ColourTable {
public:
    platform::colour_ref colour_of(ColourCategory category) const {
        return entries_[static_cast<std::size_t>(category)];
    }
    void set_colour(ColourCategory category, platform::colour_ref colour) {
        entries_[static_cast<std::size_t>(category)] = colour;
    }

    // Reads the colours; writes the defaults first when "NounDefault" is missing or not a 32-bit
    // number. Without a settings store the defaults are used.
    void load_colours(platform::settings_store* store);
    void save_colours(platform::settings_store* store) const;

    static std::u16string_view value_name(ColourCategory category);
    static platform::colour_ref default_colour(ColourCategory category);

private:
    std::array<platform::colour_ref, colour_category_count> entries_{};
};

} // namespace veso
