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

// Draws a definition from its first "[" on: the name of the dictionary its "[X]" tag names, in
// italics, then its words, exactly one space apart whatever style marks lie between them, switching
// faces at the marks (a change to italic steps 5 pixels right, except at a line's start) and
// wrapping whole words at area.right with a line pitch of 24. With a continuation margin, lines
// after the first start there. Returns the y of the last line drawn on (area.top when nothing was
// drawn).
int draw_marked_text(platform::device_context& dc, wide_string_view text,
                     const platform::rect& area, const marked_text_fonts& fonts,
                     std::optional<int> continuation_margin = std::nullopt);

// What draw_marked_text shows of a definition, as plain text: its dictionary's name, then its
// words one space apart, without style marks.
wide_string plain_marked_text(wide_string_view text);

} // namespace veso
