#pragma once

#include "greek/wide_string.h"

#include <array>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace veso {

// Converts between lower-case Beta Code and precomposed polytonic Greek (oxia, never tonos).
// The tables are built once in the constructor and only read afterwards, so one instance may be
// used from several threads.
class betaconverter {
public:
    betaconverter();

    // Beta Code to Unicode. Only the first 10,000 characters are converted. Callers append one
    // space first, because final sigma is chosen by the character after it.
    wide_string to_unicode(const wide_string& text) const;
    // The same conversion of `text`, appended to `out`.
    void to_unicode(wide_string_view text, wide_string& out) const;
    // Unicode to Beta Code, one character at a time; unknown characters pass through.
    wide_string to_betacode(const wide_string& text) const;

    static bool is_beta_mark(char16_t c);

    const std::map<wide_string, wide_string>& forward_table() const { return forward_table_; }
    const std::map<wide_string, wide_string>& reverse_table() const { return reverse_table_; }

private:
    // Forward keys are at most four ASCII characters: packed one byte each into a number, sorted.
    std::vector<std::pair<std::uint32_t, char16_t>> packed_forward_;
    // The bare letters by their ASCII code, 0 where there is none.
    std::array<char16_t, 128> single_letters_{};
    // Reverse values by code point below U+2000 (every key lies there); -1 when there is none.
    std::vector<std::int16_t> reverse_slot_;
    std::vector<wide_string> reverse_values_;

    std::map<wide_string, wide_string> forward_table_;
    std::map<wide_string, wide_string> reverse_table_;

    void append_token(char16_t* out, std::size_t& length, wide_string_view token) const;
};

} // namespace veso
