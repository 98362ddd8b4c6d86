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
    // The conversion of `text` followed by one space, appended to `out`.
    void to_unicode_spaced(wide_string_view text, wide_string& out) const;
    // A word or headword as a reader sees it: converted as if a space followed it (so a final
    // sigma is final), without that space.
    wide_string to_unicode_word(wide_string_view beta) const;
    // Unicode to Beta Code, one character at a time; unknown characters pass through.
    wide_string to_betacode(const wide_string& text) const;

    static bool is_beta_mark(char16_t c);

    const std::map<wide_string, wide_string>& forward_table() const { return forward_table_; }
    const std::map<wide_string, wide_string>& reverse_table() const { return reverse_table_; }

private:
    // A multi-character forward key is a letter and up to three marks. The letter's slot and the
    // marks as base-9 digits (1-8; the eight marks are exactly the ASCII characters with a digit)
    // index `marked_letters_` directly; 0 there means no key.
    static constexpr std::size_t mark_codes = 9 * 9 * 9;
    std::array<std::int8_t, 128> letter_slot_{};
    std::array<std::uint8_t, 128> mark_digit_{};
    std::vector<char16_t> marked_letters_;
    // What an ASCII character without marks becomes: its letter, or itself.
    std::array<char16_t, 128> bare_tokens_{};
    // Reverse values by code point below U+2000 (every key lies there); -1 when there is none.
    std::vector<std::int16_t> reverse_slot_;
    std::vector<wide_string> reverse_values_;

    std::map<wide_string, wide_string> forward_table_;
    std::map<wide_string, wide_string> reverse_table_;

    void convert(wide_string_view input, bool spaced, wide_string& out) const;
    std::uint8_t mark_digit(char16_t c) const;
    std::size_t mark_code(wide_string_view marks) const;
    char16_t marked_letter(wide_string_view token) const;
};

} // namespace veso
