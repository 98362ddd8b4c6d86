#pragma once

#include "library/catalogue_tree.h"
#include "platform/qt/qt_tree_control.h"

#include <QTreeWidget>
#include <memory>

namespace veso {

class mydoc;

// textsmenu_view: the catalogue pane, a tree with lines whose selection stays visible without the
// focus and where selecting an item expands it and collapses the branch selected before. The
// catalogue logic fills it from its worker as soon as the view is created and hears of every
// selection change.
class textsmenu_view : public QTreeWidget {
public:
    explicit textsmenu_view(mydoc& document, QWidget* parent = nullptr);
    // The same with another catalogue (tests).
    textsmenu_view(mydoc& document, std::span<const catalogue_entry> entries,
                   QWidget* parent = nullptr);
    ~textsmenu_view() override;

    catalogue_tree& catalogue() { return *catalogue_; }
    platform::qt_tree_control& control() { return control_; }

private:
    void selection_changed(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void set_up_appearance();

    platform::qt_tree_control control_;
    std::unique_ptr<catalogue_tree> catalogue_;
    QTreeWidgetItem* last_selected_ = nullptr;
};

} // namespace veso
