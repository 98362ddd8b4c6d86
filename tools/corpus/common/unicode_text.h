#pragma once

#include <string>
#include <string_view>

namespace veso::corpus {

// UTF-8 to UTF-16, normalised to NFC, with the tonos vowels replaced by their oxia forms
// (the program's Greek never uses tonos).
std::u16string greek_from_utf8(std::string_view utf8);
// UTF-16 to UTF-8, for reports and messages.
std::string to_utf8(std::u16string_view text);
// NFC plus tonos to oxia on UTF-16 text.
std::u16string normalise_greek(std::u16string_view text);

} // namespace veso::corpus
