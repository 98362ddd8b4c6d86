#pragma once

#include "greek/wide_string.h"

#include <cstddef>
#include <cstdint>

// Under libFuzzer each target is the fuzzer's entry point; in the regression test all of them are
// linked into one program under their own names.
#ifdef VESO_FUZZ_REGRESSION
#define VESO_FUZZ_TARGET(name) extern "C" int name(const std::uint8_t* data, std::size_t size)
#else
#define VESO_FUZZ_TARGET(name)                                                                     \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
#endif

namespace veso::fuzz {

// Pairs of bytes as little-endian UTF-16 units (a final odd byte is dropped).
inline wide_string wide_text(const std::uint8_t* data, std::size_t size) {
    wide_string text;
    text.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }
    return text;
}

} // namespace veso::fuzz
