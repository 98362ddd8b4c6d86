#pragma once

#include "platform/device_context.h"
#include "views/marked_text.h"

#include <memory>

namespace veso {

// The four faces of the lookup pane and the dictionary window: normal text, the italic and bold
// of definitions, and underlined links.
struct view_fonts {
    view_fonts(platform::font_factory& factory, int height);

    std::unique_ptr<platform::font> normal;
    std::unique_ptr<platform::font> italic;
    std::unique_ptr<platform::font> bold;
    std::unique_ptr<platform::font> underline;

    marked_text_fonts marked() const { return {normal.get(), italic.get(), bold.get()}; }
};

} // namespace veso
