#include "platform/qt/qt_tree_control.h"

#include <QMetaObject>
#include <QPointer>
#include <QTreeWidget>

namespace veso::platform {

namespace {

constexpr int handle_role = Qt::UserRole + 1;

} // namespace

qt_tree_control::qt_tree_control(QTreeWidget& widget)
    : widget_(widget), ui_thread_(std::this_thread::get_id()) {}

bool qt_tree_control::on_ui_thread() const {
    return std::this_thread::get_id() == ui_thread_;
}

tree_item qt_tree_control::insert_last_child(tree_item parent, std::u16string_view label) {
    const tree_item handle = next_handle_.fetch_add(1);
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(
            {parent, handle,
             QString::fromUtf16(label.data(), static_cast<qsizetype>(label.size()))});
    }
    if (on_ui_thread()) {
        flush_pending();
    } else {
        post_flush();
    }
    return handle;
}

void qt_tree_control::post_flush() {
    {
        std::lock_guard lock(mutex_);
        if (flush_posted_) {
            return;
        }
        flush_posted_ = true;
    }
    QMetaObject::invokeMethod(
        &widget_, [this] { flush_pending(); }, Qt::QueuedConnection);
}

void qt_tree_control::flush_pending() const {
    std::vector<pending_insertion> batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(pending_);
        flush_posted_ = false;
    }
    if (batch.empty()) {
        return;
    }
    // Items are first linked to parents made in this batch while still outside the widget, which
    // costs no model notifications; only the tops of the new subtrees are then added to the
    // widget, in insertion order, so siblings keep their order.
    if (items_.size() < batch.back().handle) {
        items_.resize(batch.back().handle, nullptr);
    }
    std::vector<std::pair<QTreeWidgetItem*, QTreeWidgetItem*>> attachments; // (parent, item)
    for (auto& insertion : batch) {
        auto* item = new QTreeWidgetItem(QStringList{insertion.label});
        item->setData(0, handle_role, QVariant::fromValue<qulonglong>(insertion.handle));
        items_[insertion.handle - 1] = item;
        QTreeWidgetItem* parent =
            insertion.parent == no_tree_item || insertion.parent > items_.size()
                ? nullptr
                : items_[insertion.parent - 1];
        if (parent != nullptr && parent->treeWidget() == nullptr) {
            parent->addChild(item);
        } else if (insertion.parent != no_tree_item && parent == nullptr) {
            // An unknown parent: the item goes to the root rather than being lost.
            attachments.emplace_back(nullptr, item);
        } else {
            attachments.emplace_back(parent, item);
        }
    }
    for (const auto& [parent, item] : attachments) {
        if (parent == nullptr) {
            widget_.addTopLevelItem(item);
        } else {
            parent->addChild(item);
        }
    }
}

void qt_tree_control::update_window() {
    QPointer<QWidget> viewport = widget_.viewport();
    QMetaObject::invokeMethod(
        &widget_,
        [this, viewport] {
            flush_pending();
            if (viewport) {
                viewport->update();
            }
        },
        Qt::QueuedConnection);
}

QTreeWidgetItem* qt_tree_control::widget_item(tree_item item) const {
    flush_pending();
    if (item == no_tree_item || item > items_.size()) {
        return nullptr;
    }
    return items_[item - 1];
}

tree_item qt_tree_control::handle_of(const QTreeWidgetItem* item) const {
    return item == nullptr ? no_tree_item : item->data(0, handle_role).toULongLong();
}

void qt_tree_control::select(tree_item item) {
    if (auto* widget_item = this->widget_item(item)) {
        widget_.setCurrentItem(widget_item);
    }
}

tree_item qt_tree_control::selected() const {
    flush_pending();
    return handle_of(widget_.selectedItems().value(0));
}

void qt_tree_control::expand(tree_item item) {
    if (auto* widget_item = this->widget_item(item)) {
        widget_item->setExpanded(true);
    }
}

void qt_tree_control::collapse(tree_item item) {
    if (auto* widget_item = this->widget_item(item)) {
        widget_item->setExpanded(false);
    }
}

bool qt_tree_control::has_children(tree_item item) const {
    const auto* widget_item = this->widget_item(item);
    return widget_item != nullptr && widget_item->childCount() > 0;
}

tree_item qt_tree_control::parent_of(tree_item item) const {
    const auto* widget_item = this->widget_item(item);
    return widget_item == nullptr ? no_tree_item : handle_of(widget_item->parent());
}

std::u16string qt_tree_control::label_of(tree_item item) const {
    const auto* widget_item = this->widget_item(item);
    return widget_item == nullptr ? std::u16string() : widget_item->text(0).toStdU16String();
}

tree_item qt_tree_control::hit_test(int x, int y) const {
    flush_pending();
    return handle_of(widget_.itemAt(x, y));
}

rect qt_tree_control::label_rect(tree_item item) const {
    const auto* widget_item = this->widget_item(item);
    if (widget_item == nullptr) {
        return {};
    }
    const QRect r = widget_.visualItemRect(widget_item);
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

tree_item qt_tree_control::first_visible() const {
    flush_pending();
    return handle_of(widget_.itemAt(0, 0));
}

tree_item qt_tree_control::next_visible(tree_item item) const {
    const auto* widget_item = this->widget_item(item);
    return widget_item == nullptr ? no_tree_item : handle_of(widget_.itemBelow(widget_item));
}

int qt_tree_control::visible_count() const {
    flush_pending();
    const auto* first = widget_.itemAt(0, 0);
    const int row_height = first == nullptr ? 0 : widget_.visualItemRect(first).height();
    return row_height <= 0 ? 0 : widget_.viewport()->height() / row_height;
}

} // namespace veso::platform
