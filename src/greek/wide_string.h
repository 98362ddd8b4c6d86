#pragma once

#include <string>
#include <string_view>

namespace veso {

// Every text in the program is UTF-16; Beta Code is held in the same type.
using wide_string = std::u16string;
using wide_string_view = std::u16string_view;

} // namespace veso
