#pragma once

namespace veso::platform {

struct text_size {
    int width = 0;
    int height = 0;
    bool operator==(const text_size&) const = default;
};

// Closed on the left and top, open on the right and bottom, as window rectangles are.
struct rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const rect&) const = default;
};

} // namespace veso::platform
