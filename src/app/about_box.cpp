#include "app/about_box.h"

#include "platform/qt/pictures.h"

#include <QLabel>
#include <QPushButton>

namespace veso {

namespace {

// Dialog units of "MS Shell Dlg" 8 in pixels.
int px_x(int units) {
    return units * 3 / 2;
}
int px_y(int units) {
    return units * 13 / 8;
}

} // namespace

smallaboutdlg::smallaboutdlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Veso"));
    setFixedSize(px_x(391), px_y(186));

    auto* icon = new QLabel(this);
    icon->setPixmap(platform::application_icon().pixmap(32, 32));
    icon->setGeometry(px_x(7), px_y(7), 32, 32);

    const auto size = platform::picture_pixel_size(platform::picture_id::about_box);
    auto* picture = new QLabel(this);
    picture->setPixmap(
        platform::picture_pixmap(platform::picture_id::about_box, devicePixelRatioF()));
    picture->setGeometry(px_x(41), px_y(12), size.width, size.height);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(px_x(328), px_y(7), px_x(50), px_y(17));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace veso
