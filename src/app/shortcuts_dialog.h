#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class QMenuBar;

namespace veso {

struct shortcut_row {
    QString keys;
    QString does;
};

// Every key of the main window: each menu item that has keys ("File > Resume Reading"), the
// items straight on the menu bar, then the keys the panes take themselves.
std::vector<shortcut_row> shortcut_rows(const QMenuBar& bar);

// "Keyboard Shortcuts": the rows in a read-only table, closed with Close.
class shortcuts_dialog : public QDialog {
public:
    explicit shortcuts_dialog(const std::vector<shortcut_row>& rows, QWidget* parent = nullptr);
};

} // namespace veso
