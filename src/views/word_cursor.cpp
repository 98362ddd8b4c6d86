#include "views/word_cursor.h"

#include <cstdlib>
#include <limits>

namespace veso {

namespace {

int middle(const platform::rect& box) {
    return box.left + box.width() / 2;
}

// The word on the nearest line above (direction -1) or below (+1) closest to x.
std::optional<std::size_t> word_on_next_line(std::span<const platform::rect> boxes,
                                             std::size_t from, int direction) {
    const int top = boxes[from].top;
    std::optional<int> line_top;
    for (const platform::rect& box : boxes) {
        const bool beyond = direction < 0 ? box.top < top : box.top > top;
        if (beyond && (!line_top || std::abs(box.top - top) < std::abs(*line_top - top)))
            line_top = box.top;
    }
    if (!line_top)
        return std::nullopt;
    const int x = middle(boxes[from]);
    std::optional<std::size_t> best;
    int best_distance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i].top != *line_top)
            continue;
        const int distance = std::abs(middle(boxes[i]) - x);
        if (distance < best_distance) {
            best = i;
            best_distance = distance;
        }
    }
    return best;
}

} // namespace

bool word_cursor::move(cursor_move move, std::span<const platform::rect> boxes) {
    if (boxes.empty())
        return false;
    if (!index_ || *index_ >= boxes.size()) {
        index_ = move == cursor_move::last ? boxes.size() - 1 : 0;
        return true;
    }
    std::optional<std::size_t> target;
    switch (move) {
    case cursor_move::next:
        if (*index_ + 1 < boxes.size())
            target = *index_ + 1;
        break;
    case cursor_move::previous:
        if (*index_ > 0)
            target = *index_ - 1;
        break;
    case cursor_move::line_up:
        target = word_on_next_line(boxes, *index_, -1);
        break;
    case cursor_move::line_down:
        target = word_on_next_line(boxes, *index_, 1);
        break;
    case cursor_move::first:
        target = 0;
        break;
    case cursor_move::last:
        target = boxes.size() - 1;
        break;
    }
    if (!target || *target == *index_)
        return false;
    index_ = target;
    return true;
}

void word_cursor::fit(std::size_t word_count) {
    if (index_ && *index_ >= word_count)
        index_ = word_count == 0 ? std::nullopt : std::optional<std::size_t>(word_count - 1);
}

} // namespace veso
