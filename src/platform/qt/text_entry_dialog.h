#pragma once

#include "platform/ui_services.h"

#include <QDialog>

class QLineEdit;

namespace veso::platform {

// The modal dialogs with one edit box: "Goto" ("Goto Line:") and "Goto Dictionary" ("Greek Lemma",
// with its picture below).
class text_entry_dialog : public QDialog {
public:
    text_entry_dialog(text_dialog kind, QWidget* parent);
    QString text() const;
    QLineEdit* edit() const { return edit_; }

private:
    QLineEdit* edit_;
};

} // namespace veso::platform
