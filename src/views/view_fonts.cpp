#include "views/view_fonts.h"

namespace veso {

view_fonts::view_fonts(platform::font_factory& factory, int height) {
    platform::font_description description;
    description.height = height;
    normal = factory.create_font(description);
    description.italic = true;
    italic = factory.create_font(description);
    description.italic = false;
    description.weight = 700;
    bold = factory.create_font(description);
    description.weight = 400;
    description.underline = true;
    underline = factory.create_font(description);
}

} // namespace veso
