#pragma once

#include "platform/tree_control.h"

#include <QString>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace veso::platform {

// tree_control over a QTreeWidget (not owned; the widget must outlive this object and any worker
// still inserting must be joined first).
//
// Insertions from a worker are queued and the queue is emptied into the widget by one call posted
// to the user-interface thread, so a worker never waits for the user-interface thread and the
// widget is only ever touched there. Handles are given out at once, before the item exists; every
// user-interface-thread operation empties the queue first, so a handle it receives is valid.
class qt_tree_control : public tree_control {
public:
    explicit qt_tree_control(QTreeWidget& widget);

    tree_item insert_last_child(tree_item parent, std::u16string_view label) override;
    void update_window() override;

    void select(tree_item item) override;
    tree_item selected() const override;
    void expand(tree_item item) override;
    void collapse(tree_item item) override;
    bool has_children(tree_item item) const override;
    tree_item parent_of(tree_item item) const override;
    std::u16string label_of(tree_item item) const override;
    tree_item hit_test(int x, int y) const override;
    rect label_rect(tree_item item) const override;
    tree_item first_visible() const override;
    tree_item next_visible(tree_item item) const override;
    int visible_count() const override;

    QTreeWidgetItem* widget_item(tree_item item) const;
    tree_item handle_of(const QTreeWidgetItem* item) const;
    // Moves queued insertions into the widget; user-interface thread only.
    void flush_pending() const;

private:
    struct pending_insertion {
        tree_item parent;
        tree_item handle;
        QString label;
    };
    bool on_ui_thread() const;
    void post_flush();

    QTreeWidget& widget_;
    std::thread::id ui_thread_;
    mutable std::mutex mutex_;
    mutable std::vector<pending_insertion> pending_;
    mutable bool flush_posted_ = false;
    std::atomic<tree_item> next_handle_{1};
    mutable std::vector<QTreeWidgetItem*> items_; // items_[handle - 1]
};

} // namespace veso::platform
