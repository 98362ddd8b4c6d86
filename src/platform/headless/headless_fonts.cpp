#include "platform/headless/headless_fonts.h"

namespace veso::platform {

std::unique_ptr<font> headless_font_factory::create_font(const font_description& description) {
    ++created_;
    return std::make_unique<headless_font>(description);
}

} // namespace veso::platform
