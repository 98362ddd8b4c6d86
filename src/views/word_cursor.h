#pragma once

#include "platform/geometry.h"

#include <cstddef>
#include <optional>
#include <span>

namespace veso {

enum class cursor_move { next, previous, line_up, line_down, first, last };

// The keyboard's place among the words of a page: hidden until the reader first moves it, then
// one word, which the text view frames. Lines are the words sharing a top edge.
class word_cursor {
public:
    bool visible() const { return index_.has_value(); }
    std::optional<std::size_t> index() const { return index_; }
    void hide() { index_.reset(); }
    // Puts the cursor on a word (a click, or a new page's first word).
    void place(std::size_t index) { index_ = index; }

    // Moves over the page's word boxes; a hidden cursor appears on the first word. Returns
    // whether the cursor was shown or moved. Up and down go to the word of the line above or
    // below whose middle is nearest the cursor's.
    bool move(cursor_move move, std::span<const platform::rect> boxes);
    // After a new layout: keeps the cursor on the page.
    void fit(std::size_t word_count);

private:
    std::optional<std::size_t> index_;
};

} // namespace veso
