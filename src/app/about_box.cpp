#include "app/about_box.h"

#include "platform/qt/pictures.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

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

    auto* version = new QLabel(
        QStringLiteral("Version %1 \u00B7 free software under the GNU GPL, version 3 or later")
            .arg(QStringLiteral(VESO_VERSION)),
        this);
    version->setGeometry(px_x(41), px_y(12) + size.height + 2, size.width,
                         px_y(186) - px_y(12) - size.height - 4);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(px_x(328), px_y(7), px_x(50), px_y(17));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* credits = new QPushButton(QStringLiteral("&Credits"), this);
    credits->setGeometry(px_x(328), px_y(7 + 17 + 5), px_x(50), px_y(17));
    connect(credits, &QPushButton::clicked, this, [this] {
        credits_dialog dialog(this);
        dialog.exec();
    });
}

credits_dialog::credits_dialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Credits - Veso"));
    auto* page = new QTextBrowser(this);
    page->setOpenExternalLinks(true);
    page->setHtml(credits_html());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page);
    layout->addWidget(buttons);
    resize(760, 620);
}

QString credits_dialog::credits_html() {
    QFile file(QStringLiteral(":/veso/credits/credits.html"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace veso
