#include "platform/headless/headless_device_context.h"

namespace veso::platform {

int headless_device_context::width_of(std::u16string_view text, int first_space) const {
    const bool bold = font_ != nullptr && font_->description().weight >= 700;
    int width = 0;
    int space = first_space;
    for (char16_t c : text) {
        if (c != u' ') {
            width += bold ? bold_character_width : character_width;
            continue;
        }
        width += space_width;
        if (space < justify_breaks_) {
            width += justify_extra_ / justify_breaks_;
            if (space < justify_extra_ % justify_breaks_)
                ++width;
        }
        ++space;
    }
    return width;
}

text_size headless_device_context::text_extent(std::u16string_view text) {
    const int height = font_ != nullptr ? font_->description().height : 0;
    return {width_of(text, spaces_used_), height};
}

void headless_device_context::text_out(int x, int y, std::u16string_view text) {
    painted_text record;
    record.x = x;
    record.y = y;
    record.text = std::u16string(text);
    record.colour = colour_;
    if (font_ != nullptr)
        record.font = font_->description();
    record.width = width_of(text, spaces_used_);
    texts_.push_back(std::move(record));
    if (justify_breaks_ > 0) {
        for (char16_t c : text) {
            if (c == u' ')
                ++spaces_used_;
        }
    }
}

void headless_device_context::set_text_justification(int extra, int break_count) {
    if (break_count <= 0 || extra <= 0) {
        justify_extra_ = 0;
        justify_breaks_ = 0;
    } else {
        justify_extra_ = extra;
        justify_breaks_ = break_count;
    }
    spaces_used_ = 0;
}

void headless_device_context::draw_picture(picture_id picture, int x, int y) {
    pictures_.push_back({picture, x, y});
}

text_size headless_device_context::picture_size(picture_id picture) const {
    return picture_pixel_size(picture);
}

void headless_device_context::clear_records() {
    texts_.clear();
    pictures_.clear();
    frames_.clear();
}

} // namespace veso::platform
