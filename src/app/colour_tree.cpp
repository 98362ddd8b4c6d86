#include "app/colour_tree.h"

namespace veso {

namespace {

constexpr std::array<std::u16string_view, colour_category_count> labels{
    u"Noun (Default)",
    u"Nominative",
    u"Genitive",
    u"Dative",
    u"Accusative",
    u"Ablative",
    u"Participle (Default)",
    u"Nominative",
    u"Genitive",
    u"Dative",
    u"Accusative",
    u"Ablative",
    u"Verb (Default)",
    u"Active",
    u"Middle",
    u"Middle-Passive",
    u"Passive",
};

std::size_t index_of(ColourCategory category) {
    return static_cast<std::size_t>(category);
}
ColourCategory category_at(std::size_t index) {
    return static_cast<ColourCategory>(index);
}

} // namespace

std::u16string_view colour_tree::label_of(ColourCategory category) {
    return labels.at(index_of(category));
}

ColourCategory colour_tree::root_of(ColourCategory category) {
    if (category < ColourCategory::PartDefault) {
        return ColourCategory::NounDefault;
    }
    if (category < ColourCategory::VerbDefault) {
        return ColourCategory::PartDefault;
    }
    return ColourCategory::VerbDefault;
}

void colour_tree::fill_colour_tree(platform::tree_control& tree, const ColourTable& table) {
    // Table order lists each root before its children, so parents exist when children come.
    for (std::size_t i = 0; i < colour_category_count; ++i) {
        const auto category = category_at(i);
        const auto root = root_of(category);
        const auto parent = root == category ? platform::no_tree_item : items_[index_of(root)];
        items_[i] = tree.insert_last_child(parent, label_of(category));
    }
    for (const auto root :
         {ColourCategory::NounDefault, ColourCategory::PartDefault, ColourCategory::VerbDefault}) {
        tree.expand(items_[index_of(root)]);
    }
    tree_from_table(table);
}

void colour_tree::tree_from_table(const ColourTable& table) {
    for (std::size_t i = 0; i < colour_category_count; ++i) {
        set_item_colour(items_[i], table.colour_of(category_at(i)));
    }
}

void colour_tree::table_from_tree(ColourTable& table, platform::settings_store* store) const {
    for (std::size_t i = 0; i < colour_category_count; ++i) {
        table.set_colour(category_at(i), item_colour(items_[i]));
    }
    table.save_colours(store);
}

void colour_tree::set_item_colour(platform::tree_item item, platform::colour_ref colour) {
    item_colours_.insert_or_assign(item, colour);
}

platform::colour_ref colour_tree::item_colour(platform::tree_item item) const {
    const auto found = item_colours_.find(item);
    return found == item_colours_.end() ? no_colour : found->second;
}

platform::tree_item colour_tree::item_of(ColourCategory category) const {
    return items_.at(index_of(category));
}

bool colour_tree::click(int x, int y, platform::tree_control& tree, platform::ui_services& ui,
                        ColourTable& table, platform::settings_store* store) {
    const auto item = tree.hit_test(x, y);
    if (item == platform::no_tree_item) {
        return false;
    }
    if (const auto chosen = ui.choose_colour(item_colour(item))) {
        set_item_colour(item, *chosen);
    }
    table_from_tree(table, store);
    return true;
}

} // namespace veso
