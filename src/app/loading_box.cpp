#include "app/loading_box.h"

#include "platform/qt/pictures.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>

namespace veso {

namespace {

// Dialog units of the box's layout turned into pixels (the 266 x 103 box is the 399 x 168
// picture).
constexpr double unit_x = 399.0 / 266.0;
constexpr double unit_y = 168.0 / 103.0;

QLineEdit* make_line(QWidget* parent, int y_units, const QString& text) {
    auto* line = new QLineEdit(text, parent);
    line->setFrame(false);
    line->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    // Small enough for the whole line to fit the edit's width, as the dialog font did.
    QFont font = line->font();
    font.setPixelSize(11);
    line->setFont(font);
    line->setCursorPosition(0);
    line->setGeometry(static_cast<int>(103 * unit_x), static_cast<int>(y_units * unit_y),
                      static_cast<int>(142 * unit_x), static_cast<int>(12 * unit_y));
    return line;
}

} // namespace

aboutvesodlg::aboutvesodlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    const auto size = platform::picture_pixel_size(platform::picture_id::loading_box);
    setFixedSize(size.width, size.height);
    setModal(false);
    auto* picture = new QLabel(this);
    picture->setPixmap(
        platform::picture_pixmap(platform::picture_id::loading_box, devicePixelRatioF()));
    picture->setGeometry(0, 0, size.width, size.height);
    picture->setFrameStyle(QFrame::Box | QFrame::Plain);
    line_1004_ = make_line(this, 42, QString());
    line_1001_ = make_line(this, 53, QString::fromLatin1(loading_text));
    line_1002_ = make_line(this, 64, QString());
}

} // namespace veso
