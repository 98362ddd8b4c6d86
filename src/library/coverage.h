#pragma once

#include "greek/wide_string.h"
#include "library/text_tables.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace veso {

class mydoc;

struct uncovered_leaf {
    std::int32_t id;
    wide_string title; // the item path, as selecting the leaf titles the document
};

// The catalogue leaves that hold no Greek text: no passage-table row, an empty section, or only
// the data builder's notice that the open corpus lacks the text. Each work is loaded once through
// the document. Nothing when the data folder cannot be read (the document has reported why).
std::optional<std::vector<uncovered_leaf>>
leaves_without_text(mydoc& document,
                    std::span<const catalogue_entry> entries = catalogue_entries());

// Whether the units hold a letter of the Greek or Greek Extended block.
bool holds_greek(std::u16string_view units);

} // namespace veso
