#pragma once

#include <cstdint>

namespace veso::platform {

// A colour as the settings store keeps it: 0x00BBGGRR.
using colour_ref = std::uint32_t;

constexpr colour_ref make_colour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return colour_ref{red} | (colour_ref{green} << 8) | (colour_ref{blue} << 16);
}
constexpr std::uint8_t red_of(colour_ref c) { return c & 0xFF; }
constexpr std::uint8_t green_of(colour_ref c) { return (c >> 8) & 0xFF; }
constexpr std::uint8_t blue_of(colour_ref c) { return (c >> 16) & 0xFF; }

} // namespace veso::platform
