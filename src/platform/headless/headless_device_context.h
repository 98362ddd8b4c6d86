#pragma once

#include "platform/device_context.h"
#include "platform/text_justification.h"

#include <string>
#include <vector>

namespace veso::platform {

// A drawing surface with fixed metrics that records what is drawn, so that layout and painting
// can be checked to the pixel:
// - a space is 5 pixels wide, every other character 10, or 11 in a font of weight 700 or more;
// - a text's height is its font's height (0 with no font selected), also for empty text;
// - justification widens the first break_count spaces drawn after it is set, as device_context
//   documents; later spaces of the line keep their width;
// - pictures have their resource sizes.
class headless_device_context final : public device_context {
public:
    static constexpr int space_width = 5;
    static constexpr int character_width = 10;
    static constexpr int bold_character_width = 11;

    struct painted_text {
        int x = 0;
        int y = 0;
        std::u16string text;
        colour_ref colour = 0;
        font_description font;
        int width = 0; // as measured when drawn, justification included
    };
    struct painted_frame {
        rect box;
        colour_ref colour = 0;
    };
    struct painted_picture {
        picture_id picture{};
        int x = 0;
        int y = 0;
    };
    struct painted_rectangle {
        rect area;
        colour_ref colour = 0;
    };

    void select_font(const font& f) override { font_ = &f; }
    const font* selected_font() const override { return font_; }
    void set_text_colour(colour_ref colour) override { colour_ = colour; }
    colour_ref text_colour() const override { return colour_; }
    void set_background_colour(colour_ref colour) override { background_ = colour; }
    colour_ref background_colour() const { return background_; }

    text_size text_extent(std::u16string_view text) override;
    void text_out(int x, int y, std::u16string_view text) override;
    void set_text_justification(int extra, int break_count) override;

    void fill_rectangle(const rect& area, colour_ref colour) override {
        rectangles_.push_back({area, colour});
    }
    void draw_frame(const rect& r, colour_ref colour) override { frames_.push_back({r, colour}); }
    void draw_picture(picture_id picture, int x, int y) override;
    text_size picture_size(picture_id picture) const override;

    rect clip_box() const override { return clip_; }
    void set_clip_box(const rect& clip) { clip_ = clip; }

    const std::vector<painted_text>& texts() const { return texts_; }
    const std::vector<painted_picture>& pictures() const { return pictures_; }
    const std::vector<painted_rectangle>& rectangles() const { return rectangles_; }
    const std::vector<painted_frame>& frames() const { return frames_; }
    void clear_records();

private:
    // Width of the text if it were drawn next, justification included.
    int width_of(std::u16string_view text) const;

    const font* font_ = nullptr;
    colour_ref colour_ = 0;
    colour_ref background_ = make_colour(255, 255, 255);
    text_justification justification_;
    rect clip_{0, 0, 4096, 4096};
    std::vector<painted_text> texts_;
    std::vector<painted_picture> pictures_;
    std::vector<painted_rectangle> rectangles_;
    std::vector<painted_frame> frames_;
};

} // namespace veso::platform
