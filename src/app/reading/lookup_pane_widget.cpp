#include "app/reading/reading_widgets.h"
#include "platform/qt/qt_device_context.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

namespace veso {

// The drawn content; as tall as the last paint said the content is.
class lookup_pane_widget::canvas : public QWidget {
public:
    canvas(lookupview& view, QScrollArea& area) : QWidget(&area), view_(view), area_(area) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        platform::qt_device_context dc(painter, rect());
        // The canvas is as wide as the viewport (see resizeEvent), so its width is the pane's.
        const int viewport_height = area_.viewport()->height();
        const int content_height = view_.paint(dc, {width(), viewport_height});
        const int wanted = std::max(content_height, viewport_height);
        if (wanted != height()) {
            // Resized after the paint: a resize inside a paint event is not allowed.
            QTimer::singleShot(0, this,
                               [this, wanted] { resize(area_.viewport()->width(), wanted); });
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        QWidget::mousePressEvent(event);
        if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
            const QPoint at = event->position().toPoint();
            view_.click(at.x(), at.y());
        }
    }

private:
    lookupview& view_;
    QScrollArea& area_;
};

lookup_pane_widget::lookup_pane_widget(lookupview& view, QWidget* parent)
    : QScrollArea(parent), view_(view), canvas_(new canvas(view, *this)) {
    setWidget(canvas_);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMinimumWidth(100);
    setBackgroundRole(QPalette::Base);
    verticalScrollBar()->setSingleStep(lookupview::line_pitch);
    canvas_->resize(400, 400);
    view_.invalidate_hook().set_hook([this](bool) { canvas_->update(); });
}

void lookup_pane_widget::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    canvas_->resize(viewport()->width(), std::max(canvas_->height(), viewport()->height()));
    canvas_->update();
}

} // namespace veso
