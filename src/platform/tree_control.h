#pragma once

#include "platform/geometry.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace veso::platform {

// A handle of a tree item; 0 is "no item" and, as a parent, the root.
using tree_item = std::uintptr_t;
constexpr tree_item no_tree_item = 0;

// The system tree control: items carry text only.
class tree_control {
public:
    virtual ~tree_control() = default;

    // May be called from a worker thread: the implementation performs the insertion on the
    // user-interface thread and returns the new item's handle.
    virtual tree_item insert_last_child(tree_item parent, std::u16string_view label) = 0;
    // Called from a worker thread after its insertions: repaint once on the user-interface thread.
    virtual void update_window() = 0;

    // User-interface thread only from here on.
    // Selecting makes the control report the change to its owner, as a user's click does.
    virtual void select(tree_item item) = 0;
    virtual tree_item selected() const = 0;
    virtual void expand(tree_item item) = 0;
    virtual void collapse(tree_item item) = 0;
    virtual bool has_children(tree_item item) const = 0;
    virtual tree_item parent_of(tree_item item) const = 0;
    virtual std::u16string label_of(tree_item item) const = 0;
    virtual tree_item hit_test(int x, int y) const = 0;
    virtual rect label_rect(tree_item item) const = 0;
    virtual tree_item first_visible() const = 0;
    virtual tree_item next_visible(tree_item item) const = 0;
    virtual int visible_count() const = 0;
};

} // namespace veso::platform
