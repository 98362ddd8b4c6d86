#include "library/catalogue_tree.h"

#include "library/mydoc.h"

#include <algorithm>
#include <vector>

namespace veso {

using platform::no_tree_item;
using platform::tree_item;

catalogue_tree::catalogue_tree(mydoc& document, platform::tree_control& tree)
    : catalogue_tree(document, tree, catalogue_entries()) {}

catalogue_tree::catalogue_tree(mydoc& document, platform::tree_control& tree,
                               std::span<const catalogue_entry> entries)
    : document_(document), tree_(tree), entries_(entries) {}

catalogue_tree::~catalogue_tree() {
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
}

void catalogue_tree::start() {
    if (!worker_.joinable()) {
        worker_ = std::jthread([this](std::stop_token stop) { build_catalogue(stop); });
    }
}

void catalogue_tree::wait_until_built() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

// Parents are tracked by depth: an item's parent is the latest item one level up. An entry deeper
// than its predecessor allows hangs under the deepest open item, so damaged data still builds a
// tree; items beyond the slots are inserted but carry nothing.
int catalogue_tree::build_catalogue(std::stop_token stop) {
    std::vector<tree_item> open_items; // open_items[d - 1]: latest item at depth d
    for (const auto& entry : entries_) {
        if (stop.stop_requested()) {
            break;
        }
        const std::size_t depth = std::clamp<std::size_t>(entry.depth, 1, open_items.size() + 1);
        const tree_item parent = depth == 1 ? no_tree_item : open_items[depth - 2];
        const tree_item item =
            tree_.insert_last_child(parent, entry.label ? std::u16string_view(entry.label) : u"");
        open_items.resize(depth - 1);
        open_items.push_back(item);

        if (depth == 1) {
            const int g = genres_filled_.load(std::memory_order_relaxed);
            if (g < genre_count) {
                genre_items_[g] = item;
                genres_filled_.store(g + 1, std::memory_order_release);
            }
            continue;
        }
        const int slot = filled_.load(std::memory_order_relaxed);
        if (slot < slot_count) {
            item_handles_[slot] = item;
            item_ids_[slot] = entry.id;
            filled_.store(slot + 1, std::memory_order_release);
        }
    }
    tree_.update_window();
    built_.store(true, std::memory_order_release);
    return 0;
}

tree_item catalogue_tree::genre_item(int index) const {
    if (index < 0 || index >= genres_filled_.load(std::memory_order_acquire)) {
        return no_tree_item;
    }
    return genre_items_[index];
}

std::array<tree_item, catalogue_tree::genre_count> catalogue_tree::genre_items() const {
    std::array<tree_item, genre_count> items{};
    for (int g = 0; g < genre_count; ++g) {
        items[g] = genre_item(g);
    }
    return items;
}

wide_string catalogue_tree::item_path(tree_item item) const {
    wide_string path = tree_.label_of(item);
    for (tree_item up = tree_.parent_of(item); up != no_tree_item; up = tree_.parent_of(up)) {
        path += u", ";
        path += tree_.label_of(up);
    }
    return path;
}

int catalogue_tree::slot_of_item(tree_item item) const {
    const int filled = filled_slots();
    for (int slot = 0; slot < filled; ++slot) {
        if (item_handles_[slot] == item) {
            return slot;
        }
    }
    return -1;
}

int catalogue_tree::slot_of_id(std::int32_t id) const {
    const int filled = filled_slots();
    for (int slot = 0; slot < filled; ++slot) {
        if (item_ids_[slot] == id) {
            return slot;
        }
    }
    return -1;
}

void catalogue_tree::on_selection_changed() {
    const tree_item item = tree_.selected();
    selected_item_ = item;
    if (item == no_tree_item) {
        return;
    }
    document_.set_title(item_path(item));
    if (tree_.has_children(item)) {
        return;
    }
    // An item whose children are not inserted yet looks like a leaf but carries no identifier.
    const int slot = slot_of_item(item);
    if (slot >= 0 && item_ids_[slot] != 0) {
        document_.select_passage(item_ids_[slot]);
    }
}

void catalogue_tree::select_item_by_id(std::int32_t id) {
    if (id == 0) {
        return;
    }
    const int slot = slot_of_id(id);
    if (slot < 0) {
        return;
    }
    const tree_item item = item_handles_[slot];
    document_.set_title(item_path(item));
    tree_.select(item);
}

wide_string catalogue_title_of(std::int32_t id, std::span<const catalogue_entry> entries) {
    if (id == 0) {
        return {};
    }
    std::size_t index = 0;
    while (index < entries.size() && entries[index].id != id) {
        ++index;
    }
    if (index == entries.size()) {
        return {};
    }
    const auto label = [](const catalogue_entry& e) {
        return e.label ? wide_string(e.label) : wide_string();
    };
    wide_string path = label(entries[index]);
    unsigned depth = entries[index].depth;
    // Each ancestor is the nearest earlier entry one level up.
    for (std::size_t k = index; k-- > 0 && depth > 1;) {
        if (entries[k].depth < depth) {
            path += u", ";
            path += label(entries[k]);
            depth = entries[k].depth;
        }
    }
    return path;
}

} // namespace veso
