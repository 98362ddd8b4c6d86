#pragma once

#include "app/colour_tree.h"
#include "colours/colour_table.h"
#include "platform/qt/qt_tree_control.h"

#include <QDialog>
#include <QTreeWidget>

namespace veso {

// The colour tree control: every category label painted in its own colour; a left or right click
// on an item opens the colour chooser and writes the table back, without selecting, expanding or
// collapsing anything. Items are never selected, by the mouse or by the keyboard.
class CTreeCtrlEx : public QTreeWidget {
public:
    CTreeCtrlEx(ColourTable& table, platform::settings_store* settings, platform::ui_services& ui,
                QWidget* parent = nullptr);

    colour_tree& logic() { return logic_; }
    platform::qt_tree_control& control() { return control_; }
    // The colour a label is painted in: its item's colour, or the window text colour without one.
    QColor label_colour(const QTreeWidgetItem* item) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    platform::qt_tree_control control_;
    colour_tree logic_;
    ColourTable& table_;
    platform::settings_store* settings_;
    platform::ui_services& ui_;
};

// colordlg: the modal "Choose colors..." dialog holding the colour tree and OK.
class colordlg : public QDialog {
public:
    colordlg(ColourTable& table, platform::settings_store* settings, platform::ui_services& ui,
             QWidget* parent = nullptr);
    CTreeCtrlEx& tree() { return *tree_; }

private:
    CTreeCtrlEx* tree_;
};

} // namespace veso
