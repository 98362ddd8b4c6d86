#pragma once

#include <algorithm>
#include <string_view>

namespace veso::platform {

// The arithmetic of line justification that every device context shares: `extra` pixels spread
// over the first `break_count` spaces drawn after it is set, the first extra % break_count of
// them getting one pixel more.
class text_justification {
public:
    // (0, 0), or any count or extra below 1, turns justification off.
    void set(int extra, int break_count) {
        extra_ = std::max(0, extra);
        breaks_ = extra_ > 0 ? std::max(0, break_count) : 0;
        spaces_used_ = 0;
    }
    bool active() const { return breaks_ > 0; }

    // The extra pixels of the spaces in `text`, were it drawn next.
    int widening_of(std::u16string_view text) const {
        int widening = 0;
        int index = spaces_used_;
        for (const char16_t c : text) {
            if (c == u' ')
                widening += widening_of_space(index++);
        }
        return widening;
    }
    // The extra pixels of the next space drawn, which uses it up.
    int use_space() { return widening_of_space(spaces_used_++); }
    // Uses up the spaces of text that was drawn.
    void use_spaces(std::u16string_view text) {
        if (active())
            spaces_used_ += static_cast<int>(std::count(text.begin(), text.end(), u' '));
    }

private:
    int widening_of_space(int index) const {
        if (index >= breaks_)
            return 0;
        return extra_ / breaks_ + (index < extra_ % breaks_ ? 1 : 0);
    }

    int extra_ = 0;
    int breaks_ = 0;
    int spaces_used_ = 0;
};

} // namespace veso::platform
