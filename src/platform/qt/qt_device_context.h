#pragma once

#include "platform/device_context.h"
#include "platform/qt/qt_fonts.h"
#include "platform/text_justification.h"

#include <QPainter>
#include <QRect>
#include <memory>

namespace veso::platform {

// A device context over a QPainter that is already active on a widget or pixmap. Qt widgets paint
// into the window's back buffer, which gives the flicker-free drawing that memory contexts gave;
// the painter's clip region is the clip box.
class qt_device_context : public device_context {
public:
    // surface: the whole paintable area, the clip box when the painter has no clipping.
    qt_device_context(QPainter& painter, QRect surface);

    void select_font(const font& f) override;
    const font* selected_font() const override { return selected_; }

    void set_text_colour(colour_ref colour) override;
    colour_ref text_colour() const override { return text_colour_; }
    void set_background_colour(colour_ref colour) override { background_colour_ = colour; }
    colour_ref background_colour() const { return background_colour_; }

    text_size text_extent(std::u16string_view text) override;
    void text_out(int x, int y, std::u16string_view text) override;
    void set_text_justification(int extra, int break_count) override;

    void fill_rectangle(const rect& area, colour_ref colour) override;
    void draw_frame(const rect& r, colour_ref colour) override;
    void draw_picture(picture_id picture, int x, int y) override;
    text_size picture_size(picture_id picture) const override;

    rect clip_box() const override;

    QPainter& painter() { return painter_; }

private:
    // The selected font's metrics on this painter's device, measuring with the painter's font
    // when no font was selected.
    qt_font_metrics& metrics();

    QPainter& painter_;
    QRect surface_;
    const font* selected_ = nullptr;
    std::shared_ptr<qt_font_metrics> metrics_;
    colour_ref text_colour_ = 0;
    colour_ref background_colour_ = 0x00FFFFFF;
    text_justification justification_;
};

} // namespace veso::platform
