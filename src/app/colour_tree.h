#pragma once

#include "colours/colour_table.h"
#include "platform/settings_store.h"
#include "platform/tree_control.h"
#include "platform/ui_services.h"

#include <array>
#include <map>
#include <string_view>

namespace veso {

// The logic of the colour dialog's tree (CTreeCtrlEx): one item per colour category, each with the
// colour its label is painted in. The tree control itself only draws and reports clicks.
class colour_tree {
public:
    // An item without a colour.
    static constexpr platform::colour_ref no_colour = 0xFFFFFFFFu;

    static std::u16string_view label_of(ColourCategory category);
    // The root a category's item hangs under; a root is its own.
    static ColourCategory root_of(ColourCategory category);

    // Inserts the three roots with their children, expands the roots, then tree_from_table.
    void fill_colour_tree(platform::tree_control& tree, const ColourTable& table);
    void tree_from_table(const ColourTable& table);
    // Copies the item colours into the table, then saves the table.
    void table_from_tree(ColourTable& table, platform::settings_store* store) const;

    void set_item_colour(platform::tree_item item, platform::colour_ref colour);
    platform::colour_ref item_colour(platform::tree_item item) const;
    platform::tree_item item_of(ColourCategory category) const;

    // A left or right click at (x, y): on an item, runs the colour chooser from the item's colour,
    // takes the chosen colour unless it was cancelled, and writes the whole table back either way.
    // Returns whether an item was hit.
    bool click(int x, int y, platform::tree_control& tree, platform::ui_services& ui,
               ColourTable& table, platform::settings_store* store);

private:
    std::map<platform::tree_item, platform::colour_ref> item_colours_;
    std::array<platform::tree_item, colour_category_count> items_{};
};

} // namespace veso
