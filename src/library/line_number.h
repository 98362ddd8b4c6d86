#pragma once

#include "greek/wide_string.h"

#include <cstdint>

namespace veso {

// The number typed into the Goto dialog, read as the run-time library's wide decimal conversion
// reads it: leading white space, an optional sign, then digits up to the first non-digit. Text
// that is not a number gives 0; values beyond the 32-bit range saturate.
std::int32_t wide_to_int(wide_string_view text);

// Line-number markers stand on every fifth line: rounds toward zero to a multiple of five.
constexpr std::int32_t round_to_marker_step(std::int32_t line) {
    return line - line % 5;
}

// Decimal digits of n, with a leading "-" when negative.
wide_string int_to_wide(std::int32_t n);

} // namespace veso
