#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace veso::corpus {

// A level-3 item of the catalogue: a work or a book. leaves is the number of leaves below it, 0
// when the item is itself a leaf.
struct outline_work {
    std::u16string label;
    int leaves;
};

// One author of the catalogue with the fixed labels of levels 1 to 3 and the identifiers its
// leaves carry, in tree order.
struct outline_author {
    std::u16string genre;
    std::u16string label;
    std::int32_t author_number;
    int leaves;
    std::vector<std::pair<std::int32_t, std::int32_t>> id_ranges; // inclusive
    std::vector<outline_work> works;
};

// The 34 authors in tree order.
const std::vector<outline_author>& catalogue_outline();

// The identifiers of an author's leaves in tree order.
std::vector<std::int32_t> leaf_ids(const outline_author& author);

} // namespace veso::corpus
