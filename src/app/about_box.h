#pragma once

#include <QDialog>

namespace veso {

// smallaboutdlg: the modal "About Veso" box with the icon, the About picture and OK; below the
// picture the version and the program's licence, and a "Credits" button for the sources of the
// texts and dictionaries.
class smallaboutdlg : public QDialog {
public:
    explicit smallaboutdlg(QWidget* parent = nullptr);
};

// "Credits": the sources of the texts and dictionaries and their licences, from the compiled-in
// credits page.
class credits_dialog : public QDialog {
public:
    explicit credits_dialog(QWidget* parent = nullptr);
    // The page as the program carries it.
    static QString credits_html();
};

} // namespace veso
