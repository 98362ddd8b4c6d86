#pragma once

#include <bit>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veso {

// Every text in the program is UTF-16; Beta Code is held in the same type.
using wide_string = std::u16string;
using wide_string_view = std::u16string_view;

// The first `unit` at or after `from`, or npos: the same answer as `text.find(unit, from)`, eight
// units per step where the processor allows. Dictionary pages scan tens of kilobytes for "<",
// which makes this worth having.
inline std::size_t find_unit(wide_string_view text, char16_t unit, std::size_t from = 0) {
    std::size_t at = from;
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi16(static_cast<short>(unit));
    for (; at + 8 <= text.size(); at += 8) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        // Two mask bits per matching unit.
        auto matches = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(block, wanted)));
        if (matches != 0) {
            return at + static_cast<std::size_t>(std::countr_zero(matches)) / 2;
        }
    }
#endif
    for (; at < text.size(); ++at) {
        if (text[at] == unit) {
            return at;
        }
    }
    return wide_string_view::npos;
}

} // namespace veso
