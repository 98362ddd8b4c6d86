#pragma once

#include "texts/tei_document.h"

#include <span>
#include <string>
#include <vector>

namespace veso::corpus {

enum class line_numbering {
    prose,   // pieces become lines as they are; markers are already inline
    verse,   // "[n]" before every fifth line by the edition's numbers
    scanned, // as verse, and the section's fifth line (its third when shorter) carries "[5]"
             // ("[3]")
};

// The lines of pieces, each ending with a carriage return.
std::u16string render_pieces(std::span<const tei_piece* const> pieces, line_numbering numbering);

// The pieces of a document in order, as pointers.
std::vector<const tei_piece*> all_pieces(const tei_document& doc);

// Pieces grouped by the value of one citation unit, in document order; pieces before the first
// group join it.
struct piece_group {
    std::string n;
    std::vector<const tei_piece*> pieces;
};
std::vector<piece_group> group_by(std::span<const tei_piece* const> pieces, std::string_view unit);

} // namespace veso::corpus
