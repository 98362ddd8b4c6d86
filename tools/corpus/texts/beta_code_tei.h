#pragma once

#include "texts/tei_document.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace veso::corpus {

// Perseus Beta Code as Unicode Greek (UTF-16, NFC, oxia): the marks after a letter are its
// breathing, accent, diaeresis and iota subscript, "*" and the marks before a letter make a
// capital, s ends a word as ς, "'" is the elision mark U+2019 and ":" the ano teleia U+0387.
// Every other character is kept.
std::u16string greek_from_beta_code(std::string_view beta);

// Reads a Perseus TEI.2 edition written in Beta Code whose books are one paragraph cut by
// chapter milestones (Diodorus' books 9 and 10): the comment before the XML declaration, the
// document type and the entities it never declares are dropped, "&lpar;" and "&rpar;" are
// parentheses, the Greek becomes Unicode and each chapter a division of its own, so that the
// result cites "book" and "chapter" as the other editions do.
std::optional<tei_document> read_beta_code_tei(const std::filesystem::path& file,
                                               std::string& error);
// The same from the file's text (tests).
std::optional<tei_document> read_beta_code_tei_text(std::string_view file_text, std::string& error);

} // namespace veso::corpus
