#pragma once

#include <string>
#include <string_view>

namespace veso::corpus {

// The bold markup of the text files: "²" before the first word and "³" after the last.
inline constexpr char16_t bold_open = u'\u00B2';
inline constexpr char16_t bold_close = u'\u00B3';
inline constexpr char16_t line_end = u'\r';

// Reading text from an edition's raw characters: apostrophes of elision become U+2019, editorial
// brackets, sigla and markup characters go, words written in Latin letters (English or Latin
// notes) go, white space collapses to single spaces, and the Greek is NFC with oxia.
std::u16string clean_greek(std::u16string_view raw);

// UTF-8 to UTF-16 without any cleaning.
std::u16string utf16_from_utf8(std::string_view utf8);

// "²text³", or empty when text is empty.
std::u16string bold(std::u16string_view text);

// The line-number or section marker "[n]".
std::u16string marker(std::u16string_view number);

// Trims and collapses white space.
std::u16string collapse_spaces(std::u16string_view text);

} // namespace veso::corpus
