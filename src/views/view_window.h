#pragma once

#include <functional>

namespace veso {

// The repaint request a core view makes of the window that shows it. The window installs the
// hook; without one (tests, before the window exists) requests are only counted.
class view_invalidator {
public:
    void set_hook(std::function<void(bool erase)> hook) { hook_ = std::move(hook); }
    void operator()(bool erase) {
        ++requests_;
        if (hook_)
            hook_(erase);
    }
    int requests() const { return requests_; }

private:
    std::function<void(bool erase)> hook_;
    int requests_ = 0;
};

} // namespace veso
