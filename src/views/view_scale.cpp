#include "views/view_scale.h"

#include <algorithm>
#include <iterator>

namespace veso {

bool view_scale::set_percent(int percent) {
    if (percent < smallest || percent > largest || percent == percent_)
        return false;
    percent_ = percent;
    return true;
}

bool view_scale::larger() {
    const auto next = std::upper_bound(steps.begin(), steps.end(), percent_);
    return next != steps.end() && set_percent(*next);
}

bool view_scale::smaller() {
    const auto next = std::lower_bound(steps.begin(), steps.end(), percent_);
    return next != steps.begin() && set_percent(*std::prev(next));
}

int view_scale::logical(int physical) const {
    // Rounded toward minus infinity, so that a point just left of or above the pane stays outside.
    const long long scaled = static_cast<long long>(physical) * normal;
    long long result = scaled / percent_;
    if (scaled % percent_ != 0 && scaled < 0)
        --result;
    return static_cast<int>(result);
}

platform::text_size view_scale::logical_size(platform::text_size physical) const {
    return {logical(physical.width), logical(physical.height)};
}

int view_scale::physical(int logical) const {
    const long long scaled = static_cast<long long>(logical) * percent_;
    long long result = scaled / normal;
    if (scaled % normal != 0 && scaled > 0)
        ++result;
    return static_cast<int>(result);
}

} // namespace veso
