#pragma once

#include <string_view>

namespace veso::corpus {

// What is wrong with the characters of a finished definition, or nullptr when nothing is: a
// replacement character U+FFFD (a source read in the wrong encoding), UTF-8 bytes read as
// ISO 8859-1 ("Ã©", "Â«", "â€", "á¹", "Î·", "Ï€": a lead byte followed by a continuation byte)
// or a character reference left unresolved ("&dagger;", "&#8212;").
const char* definition_fault(std::u16string_view definition);

} // namespace veso::corpus
