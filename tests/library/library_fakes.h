#pragma once

#include "library/catalogue_tree.h"
#include "library/document_views.h"
#include "platform/tree_control.h"
#include "platform/ui_services.h"

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace veso::testing {

// Records message boxes and answers the Goto dialog from scripted replies (Cancel when none).
class fake_ui_services : public platform::ui_services {
public:
    struct message {
        std::u16string text;
        std::u16string caption;
    };
    void message_box(std::u16string_view text, std::u16string_view caption) override {
        messages.push_back({std::u16string(text), std::u16string(caption)});
    }
    std::optional<std::u16string> run_text_dialog(platform::text_dialog dialog) override {
        dialogs.push_back(dialog);
        if (replies.empty()) {
            return std::nullopt;
        }
        auto reply = replies.front();
        replies.pop_front();
        return reply;
    }
    std::optional<platform::colour_ref> choose_colour(platform::colour_ref) override {
        return std::nullopt;
    }
    void post_to_ui(std::function<void()> call) override { call(); }

    std::vector<message> messages;
    std::vector<platform::text_dialog> dialogs;
    std::deque<std::optional<std::u16string>> replies;
};

class fake_text_pane : public text_pane {
public:
    void restart_layout(bool invalidate) override { ++(invalidate ? restarts : silent_restarts); }
    int restarts = 0;
    int silent_restarts = 0;
};

class fake_catalogue_pane : public catalogue_pane {
public:
    void select_item_by_id(std::int32_t id) override { selected.push_back(id); }
    std::vector<std::int32_t> selected;
};

class fake_frame : public document_frame {
public:
    void update_all_views() override { ++updates; }
    void set_catalogue_column(int ideal, int minimum) override {
        columns.emplace_back(ideal, minimum);
    }
    void title_changed(const wide_string& title) override { titles.push_back(title); }
    int updates = 0;
    std::vector<std::pair<int, int>> columns;
    std::vector<wide_string> titles;
};

// An in-memory tree control. Insertions may come from a worker thread, so the items are guarded;
// selecting reports the change to the owner at once, as the system control does.
class fake_tree_control : public platform::tree_control {
public:
    platform::tree_item insert_last_child(platform::tree_item parent,
                                          std::u16string_view label) override {
        platform::tree_item item;
        {
            std::lock_guard lock(mutex_);
            items_.push_back({parent, std::u16string(label), 0});
            if (parent != platform::no_tree_item) {
                ++items_[parent - 1].children;
            }
            item = items_.size();
        }
        if (after_insert) {
            after_insert();
        }
        return item;
    }
    void update_window() override {
        std::lock_guard lock(mutex_);
        ++updates_;
    }
    // Runs on the inserting thread after each insertion (tests that hold the worker up).
    std::function<void()> after_insert;
    void select(platform::tree_item item) override {
        selected_ = item;
        if (on_select) {
            on_select();
        }
    }
    platform::tree_item selected() const override { return selected_; }
    void expand(platform::tree_item) override {}
    void collapse(platform::tree_item) override {}
    bool has_children(platform::tree_item item) const override {
        std::lock_guard lock(mutex_);
        return valid(item) && items_[item - 1].children > 0;
    }
    platform::tree_item parent_of(platform::tree_item item) const override {
        std::lock_guard lock(mutex_);
        return valid(item) ? items_[item - 1].parent : platform::no_tree_item;
    }
    std::u16string label_of(platform::tree_item item) const override {
        std::lock_guard lock(mutex_);
        return valid(item) ? items_[item - 1].label : std::u16string();
    }
    platform::tree_item hit_test(int, int) const override { return platform::no_tree_item; }
    platform::rect label_rect(platform::tree_item) const override { return {}; }
    platform::tree_item first_visible() const override { return platform::no_tree_item; }
    platform::tree_item next_visible(platform::tree_item) const override {
        return platform::no_tree_item;
    }
    int visible_count() const override { return 0; }

    std::size_t size() const {
        std::lock_guard lock(mutex_);
        return items_.size();
    }
    int updates() const {
        std::lock_guard lock(mutex_);
        return updates_;
    }

    std::function<void()> on_select;

private:
    struct item {
        platform::tree_item parent;
        std::u16string label;
        int children;
    };
    bool valid(platform::tree_item item) const { return item >= 1 && item <= items_.size(); }

    mutable std::mutex mutex_;
    std::vector<item> items_;
    int updates_ = 0;
    platform::tree_item selected_ = platform::no_tree_item;
};

} // namespace veso::testing
