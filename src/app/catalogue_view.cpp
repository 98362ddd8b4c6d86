#include "app/catalogue_view.h"

#include <QHeaderView>
#include <QStyleFactory>

namespace veso {

namespace {

bool is_ancestor_or_self(const QTreeWidgetItem* item, const QTreeWidgetItem* of) {
    for (const auto* node = of; node != nullptr; node = node->parent()) {
        if (node == item) {
            return true;
        }
    }
    return false;
}

} // namespace

textsmenu_view::textsmenu_view(mydoc& document, QWidget* parent)
    : QTreeWidget(parent), control_(*this),
      catalogue_(std::make_unique<catalogue_tree>(document, control_)) {
    set_up_appearance();
    catalogue_->start();
}

textsmenu_view::textsmenu_view(mydoc& document, std::span<const catalogue_entry> entries,
                               QWidget* parent)
    : QTreeWidget(parent), control_(*this),
      catalogue_(std::make_unique<catalogue_tree>(document, control_, entries)) {
    set_up_appearance();
    catalogue_->start();
}

// The worker is joined before the tree widget goes; it never waits for this thread, so joining
// here cannot deadlock.
textsmenu_view::~textsmenu_view() {
    catalogue_.reset();
}

void textsmenu_view::set_up_appearance() {
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMinimumWidth(0);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    // The Windows style draws the dotted lines between items.
    if (auto* lined = QStyleFactory::create(QStringLiteral("Windows"))) {
        lined->setParent(this);
        setStyle(lined);
    }
    // The selection stays as visible without the focus as with it.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);
    // Selection, not the current item: the view makes the first item current without selecting
    // it when it first gets the focus, and that must not load anything.
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        auto* current = selectedItems().value(0);
        if (current != last_selected_) {
            selection_changed(current, last_selected_);
        }
    });
}

void textsmenu_view::selection_changed(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    last_selected_ = current;
    // Single expand: the branch left collapses, the item chosen opens.
    for (auto* node = previous; node != nullptr; node = node->parent()) {
        if (!is_ancestor_or_self(node, current)) {
            node->setExpanded(false);
        }
    }
    if (current != nullptr && current->childCount() > 0) {
        current->setExpanded(true);
    }
    if (current != nullptr) {
        catalogue_->on_selection_changed();
    }
}

} // namespace veso
