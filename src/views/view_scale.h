#pragma once

#include "platform/geometry.h"

#include <array>

namespace veso {

// How large the reading panes draw their text: a percentage from 80 to 250. The panes lay out at
// their size divided by the scale and draw through a scaled painter, so lines, justification,
// clicks and colours are exactly those of 100 %, only larger or smaller.
class view_scale {
public:
    static constexpr int normal = 100;
    // The steps Larger and Smaller move through.
    static constexpr std::array<int, 9> steps{80, 90, 100, 110, 125, 150, 175, 200, 250};
    static constexpr int smallest = steps.front();
    static constexpr int largest = steps.back();

    int percent() const { return percent_; }
    double factor() const { return percent_ / 100.0; }

    // Each returns whether the scale changed. A percentage outside the steps' range is refused;
    // one between steps is kept, and Larger and Smaller go on from the nearest step beyond it.
    bool set_percent(int percent);
    bool larger();
    bool smaller();
    bool reset() { return set_percent(normal); }

    // A pane's size on the screen as the views lay it out, and a point on the screen (a click)
    // where the views see it; both rounded down.
    platform::text_size logical_size(platform::text_size physical) const;
    int logical(int physical) const;
    // A length the views laid out, as long as it is drawn on the screen (rounded up).
    int physical(int logical) const;

private:
    int percent_ = normal;
};

} // namespace veso
