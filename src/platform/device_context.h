#pragma once

#include "platform/colour.h"
#include "platform/geometry.h"

#include <memory>
#include <string>
#include <string_view>

namespace veso::platform {

// A logical font. Every pane asks for "Palatino Linotype"; an implementation falls back to an
// installed polytonic Greek font when that face is missing.
struct font_description {
    std::u16string face = u"Palatino Linotype";
    int height = 25; // logical units (pixels at 96 dpi)
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool operator==(const font_description&) const = default;
};

class font {
public:
    virtual ~font() = default;
    virtual const font_description& description() const = 0;
};

class font_factory {
public:
    virtual ~font_factory() = default;
    virtual std::unique_ptr<font> create_font(const font_description& description) = 0;
};

// The pictures the program draws. The numbers are their resource identifiers.
enum class picture_id {
    start_page = 115,      // 477 x 406, six captioned genre images
    loading_box = 126,     // 399 x 168
    goto_dictionary = 130, // 304 x 48
    about_box = 134,       // 416 x 258
};

// The fixed pixel size each picture is drawn at.
constexpr text_size picture_pixel_size(picture_id picture) {
    switch (picture) {
    case picture_id::start_page:
        return {477, 406};
    case picture_id::loading_box:
        return {399, 168};
    case picture_id::goto_dictionary:
        return {304, 48};
    case picture_id::about_box:
        return {416, 258};
    }
    return {};
}

// What painting code draws on: a window, a memory bitmap, or the headless test surface.
class device_context {
public:
    virtual ~device_context() = default;

    // The font stays selected until the next select_font; the font must outlive its use.
    virtual void select_font(const font& f) = 0;
    virtual const font* selected_font() const = 0;

    virtual void set_text_colour(colour_ref colour) = 0;
    virtual colour_ref text_colour() const = 0;
    virtual void set_background_colour(colour_ref colour) = 0;

    // Width and height of the text in the selected font, justification included.
    virtual text_size text_extent(std::u16string_view text) = 0;
    // Draws the text with its top-left corner at (x, y) in the text colour, transparently.
    virtual void text_out(int x, int y, std::u16string_view text) = 0;

    // Line justification: the next text_out calls widen each space they draw so that the
    // break_count spaces of a line share extra pixels (the first extra % break_count spaces get
    // one pixel more). text_extent includes the widening for the spaces it measures; only
    // text_out uses spaces up. (0, 0) turns justification off.
    virtual void set_text_justification(int extra, int break_count) = 0;

    // Fills the rectangle with the colour (behind text drawn afterwards).
    virtual void fill_rectangle(const rect& area, colour_ref colour) = 0;
    // A one-pixel outline just inside the rectangle, in the colour given; the text colour stays.
    virtual void draw_frame(const rect& r, colour_ref colour) = 0;

    virtual void draw_picture(picture_id picture, int x, int y) = 0;
    virtual text_size picture_size(picture_id picture) const = 0;

    // The part of the surface that needs painting.
    virtual rect clip_box() const = 0;
};

} // namespace veso::platform
