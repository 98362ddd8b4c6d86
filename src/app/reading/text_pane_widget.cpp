#include "app/reading/reading_widgets.h"
#include "platform/qt/qt_device_context.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace veso {

text_pane_widget::text_pane_widget(textview& view, QWidget* parent) : QWidget(parent), view_(view) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumWidth(100);
    view_.invalidate_hook().set_hook([this](bool) { update(); });
}

void text_pane_widget::show_word_at(std::int32_t position) {
    word_to_show_ = position;
    update();
}

void text_pane_widget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    platform::qt_device_context dc(painter, rect());
    if (word_to_show_ >= 0) {
        view_.show_word_at(dc, {width(), height()}, word_to_show_);
        word_to_show_ = -1;
    }
    view_.paint(dc, {width(), height()});
}

void text_pane_widget::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        const QPoint at = event->position().toPoint();
        view_.click(at.x(), at.y());
    }
}

} // namespace veso
