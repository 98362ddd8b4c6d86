#pragma once

#include <QDialog>

class QLineEdit;

namespace veso {

// aboutvesodlg: the modeless box shown while the lexicon loads, its three lines printed on the
// loading picture.
class aboutvesodlg : public QDialog {
public:
    static constexpr const char* loading_text = "Loading dictionary/morphology files.....";

    explicit aboutvesodlg(QWidget* parent);

    // The three edit lines, as the dialog's controls 1004, 1001 and 1002.
    QLineEdit* line_1004() const { return line_1004_; }
    QLineEdit* line_1001() const { return line_1001_; }
    QLineEdit* line_1002() const { return line_1002_; }

private:
    QLineEdit* line_1004_;
    QLineEdit* line_1001_;
    QLineEdit* line_1002_;
};

} // namespace veso
