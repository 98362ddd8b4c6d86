#include "platform/qt/qt_device_context.h"

#include "platform/qt/pictures.h"

#include <QColor>
#include <QPen>
#include <algorithm>

namespace veso::platform {

namespace {

QColor to_qcolor(colour_ref colour) {
    return QColor(red_of(colour), green_of(colour), blue_of(colour));
}

} // namespace

qt_device_context::qt_device_context(QPainter& painter, QRect surface)
    : painter_(painter), surface_(surface) {
    painter_.setPen(to_qcolor(text_colour_));
}

void qt_device_context::select_font(const font& f) {
    selected_ = &f;
    if (const auto* qf = dynamic_cast<const qt_font*>(&f)) {
        painter_.setFont(qf->qfont());
        metrics_ = qf->metrics_for(painter_.device());
    } else {
        // A font made by another factory: measured afresh, as it is not ours to keep metrics in.
        painter_.setFont(make_qfont(f.description()));
        metrics_ = std::make_shared<qt_font_metrics>(painter_.font(), painter_.device());
    }
}

qt_font_metrics& qt_device_context::metrics() {
    if (!metrics_) {
        metrics_ = std::make_shared<qt_font_metrics>(painter_.font(), painter_.device());
    }
    return *metrics_;
}

void qt_device_context::set_text_colour(colour_ref colour) {
    text_colour_ = colour;
    painter_.setPen(to_qcolor(colour));
}

text_size qt_device_context::text_extent(std::u16string_view text) {
    auto& measures = metrics();
    return {measures.width(text) + justification_.widening_of(text), measures.height()};
}

void qt_device_context::text_out(int x, int y, std::u16string_view text) {
    auto& measures = metrics();
    const int baseline = y + measures.ascent();
    if (!justification_.active() || text.find(u' ') == std::u16string_view::npos) {
        measures.draw(painter_, x, baseline, text);
        return;
    }
    // Draw run by run so that each space can take its share of the stretch.
    std::size_t start = 0;
    while (start < text.size()) {
        const auto space = std::min(text.find(u' ', start), text.size());
        if (space > start) {
            const auto run = text.substr(start, space - start);
            measures.draw(painter_, x, baseline, run);
            x += measures.width(run);
        }
        if (space < text.size()) {
            x += measures.space_width() + justification_.use_space();
        }
        start = space + 1;
    }
}

void qt_device_context::set_text_justification(int extra, int break_count) {
    justification_.set(extra, break_count);
}

void qt_device_context::draw_frame(const rect& r, colour_ref colour) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QPen pen = painter_.pen();
    painter_.setPen(QPen(to_qcolor(colour), 1));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
    painter_.setPen(pen);
}

void qt_device_context::fill_rectangle(const rect& area, colour_ref colour) {
    painter_.fillRect(QRect(area.left, area.top, area.width(), area.height()), to_qcolor(colour));
}

void qt_device_context::draw_picture(picture_id picture, int x, int y) {
    // Rendered at the resolution it ends up at, also when the painter is scaled up.
    const qreal scale = painter_.device()->devicePixelRatioF() * painter_.worldTransform().m11();
    painter_.drawPixmap(x, y, picture_pixmap(picture, scale));
}

text_size qt_device_context::picture_size(picture_id picture) const {
    return picture_pixel_size(picture);
}

rect qt_device_context::clip_box() const {
    const QRect box = painter_.hasClipping()
                          ? painter_.clipBoundingRect().toAlignedRect().intersected(surface_)
                          : surface_;
    return {box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
}

} // namespace veso::platform
