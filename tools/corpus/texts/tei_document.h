#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace veso::corpus {

// One line of an edition as the reading text shows it.
struct tei_piece {
    enum class kind { verse, prose, speaker, heading };
    kind type = kind::prose;
    std::u16string text;     // cleaned; bold markup and prose section markers inline
    std::string line_number; // a verse line's own number, empty when the edition gives none
    // The citation of the enclosing divisions, outermost first: {"book", "1"}, {"chapter", "2"}.
    std::vector<std::pair<std::string, std::string>> cite;

    // The value of one citation unit, or empty.
    std::string cited(std::string_view unit) const;
};

struct tei_document {
    std::vector<tei_piece> pieces;
};

// Reads a Perseus TEI (P5 or TEI.2) edition: the body's Greek without notes, apparatus, stage
// directions or English. Returns nothing after writing the reason into error.
std::optional<tei_document> read_tei(const std::filesystem::path& file, std::string& error);
// The same from XML held in memory (tests).
std::optional<tei_document> read_tei_text(std::string_view xml, std::string& error);

} // namespace veso::corpus
