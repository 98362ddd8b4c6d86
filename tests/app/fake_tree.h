#pragma once

#include "platform/tree_control.h"

#include <map>
#include <string>
#include <vector>

namespace veso::test {

// A tree control in memory: items in insertion order, one row each, 16 pixels high, all rows
// shown (expansion is only recorded).
class fake_tree : public platform::tree_control {
public:
    struct node {
        platform::tree_item parent = platform::no_tree_item;
        std::u16string label;
        bool expanded = false;
    };
    static constexpr int row_height = 16;

    platform::tree_item insert_last_child(platform::tree_item parent,
                                          std::u16string_view label) override {
        nodes.push_back({parent, std::u16string(label), false});
        return nodes.size();
    }
    void update_window() override { ++updates; }
    void select(platform::tree_item item) override { selected_item = item; }
    platform::tree_item selected() const override { return selected_item; }
    void expand(platform::tree_item item) override { at(item).expanded = true; }
    void collapse(platform::tree_item item) override { at(item).expanded = false; }
    bool has_children(platform::tree_item item) const override {
        for (const auto& n : nodes) {
            if (n.parent == item) {
                return true;
            }
        }
        return false;
    }
    platform::tree_item parent_of(platform::tree_item item) const override {
        return at(item).parent;
    }
    std::u16string label_of(platform::tree_item item) const override { return at(item).label; }
    platform::tree_item hit_test(int, int y) const override {
        const auto row = y / row_height;
        return y >= 0 && row < static_cast<int>(nodes.size()) ? row + 1 : platform::no_tree_item;
    }
    platform::rect label_rect(platform::tree_item item) const override {
        const int top = static_cast<int>(item - 1) * row_height;
        return {20, top, 120, top + row_height};
    }
    platform::tree_item first_visible() const override { return nodes.empty() ? 0 : 1; }
    platform::tree_item next_visible(platform::tree_item item) const override {
        return item < nodes.size() ? item + 1 : platform::no_tree_item;
    }
    int visible_count() const override { return static_cast<int>(nodes.size()); }

    node& at(platform::tree_item item) { return nodes.at(item - 1); }
    const node& at(platform::tree_item item) const { return nodes.at(item - 1); }

    std::vector<node> nodes;
    platform::tree_item selected_item = platform::no_tree_item;
    int updates = 0;
};

} // namespace veso::test
