#pragma once

#include "greek/wide_string.h"
#include "platform/device_context.h"
#include "platform/geometry.h"

#include <optional>

namespace veso {

// The three faces a definition switches between with its "<I>", "<B>" and "<N>" marks.
struct marked_text_fonts {
    const platform::font* normal = nullptr;
    const platform::font* italic = nullptr;
    const platform::font* bold = nullptr;
};

// Draws a definition from its first "[" on, word by word, wrapping at area.right with a line pitch
// of 24, switching fonts at the style marks. With a continuation margin, lines after the first
// start there. Returns the y of the last line drawn on (area.top when nothing was drawn).
int draw_marked_text(platform::device_context& dc, wide_string_view text,
                     const platform::rect& area, const marked_text_fonts& fonts,
                     std::optional<int> continuation_margin = std::nullopt);

// What draw_marked_text shows of a definition, as plain text: from after its source mark on,
// without style marks, up to its last space, with runs of spaces made one.
wide_string plain_marked_text(wide_string_view text);

} // namespace veso
