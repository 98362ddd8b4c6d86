#include "app/reading/reading_widgets.h"
#include "platform/qt/qt_device_context.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

namespace veso {

// The drawn content; as tall as the last paint said the content is, at the text scale.
class lookup_pane_widget::canvas : public QWidget {
public:
    canvas(lookupview& view, QScrollArea& area, const view_scale& scale)
        : QWidget(&area), view_(view), area_(area), scale_(scale) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        // The canvas is as wide as the viewport (see resizeEvent), so its width is the pane's.
        const int viewport_height = area_.viewport()->height();
        const platform::text_size size = scale_.logical_size({width(), viewport_height});
        painter.scale(scale_.factor(), scale_.factor());
        platform::qt_device_context dc(painter, QRect(0, 0, size.width, scale_.logical(height())));
        const int content_height = scale_.physical(view_.paint(dc, size));
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
            view_.click(scale_.logical(at.x()), scale_.logical(at.y()));
        }
    }

private:
    lookupview& view_;
    QScrollArea& area_;
    const view_scale& scale_;
};

lookup_pane_widget::lookup_pane_widget(lookupview& view, QWidget* parent, const view_scale& scale)
    : QScrollArea(parent), view_(view), scale_(scale), canvas_(new canvas(view, *this, scale)) {
    setWidget(canvas_);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMinimumWidth(100);
    setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(lookupview::line_pitch);
    canvas_->resize(400, 400);
    view_.invalidate_hook().set_hook([this](bool) { canvas_->update(); });
}

void lookup_pane_widget::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    canvas_->resize(viewport()->width(), std::max(canvas_->height(), viewport()->height()));
    canvas_->update();
}

void lookup_pane_widget::scale_changed() {
    verticalScrollBar()->setSingleStep(scale_.physical(lookupview::line_pitch));
    canvas_->update();
}

void lookup_pane_widget::copy_text() const {
    const wide_string text = view_.plain_text();
    if (!text.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdU16String(text));
}

} // namespace veso
