#include "platform/headless/headless_device_context.h"

namespace veso::platform {

int headless_device_context::width_of(std::u16string_view text) const {
    const bool bold = font_ != nullptr && font_->description().weight >= 700;
    int width = justification_.widening_of(text);
    for (char16_t c : text)
        width += c == u' ' ? space_width : bold ? bold_character_width : character_width;
    return width;
}

text_size headless_device_context::text_extent(std::u16string_view text) {
    const int height = font_ != nullptr ? font_->description().height : 0;
    return {width_of(text), height};
}

void headless_device_context::text_out(int x, int y, std::u16string_view text) {
    painted_text record;
    record.x = x;
    record.y = y;
    record.text = std::u16string(text);
    record.colour = colour_;
    if (font_ != nullptr)
        record.font = font_->description();
    record.width = width_of(text);
    texts_.push_back(std::move(record));
    justification_.use_spaces(text);
}

void headless_device_context::set_text_justification(int extra, int break_count) {
    justification_.set(extra, break_count);
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
    rectangles_.clear();
    frames_.clear();
}

} // namespace veso::platform
