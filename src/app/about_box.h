#pragma once

#include <QDialog>

namespace veso {

// smallaboutdlg: the modal "About Veso" box with the icon, the About picture and OK.
class smallaboutdlg : public QDialog {
public:
    explicit smallaboutdlg(QWidget* parent = nullptr);
};

} // namespace veso
