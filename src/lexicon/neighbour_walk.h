#pragma once

#include "lexicon/sorted_table.h"

#include <array>

namespace veso {

// Where a word would stand in a table, found by growing a prefix of it: start with its first
// `length` characters, and each time an entry shares one more character, move on to that entry.
// Gives the key (or, with `report_values`, the value) of the entry reached and of the one after
// it; two empty strings when no entry shares the first prefix.
//
// The walk from the first entry that this describes steps over long runs of entries that share
// the current prefix but not the next one; here those runs are crossed by binary search.
std::array<wide_string, 2> neighbour_walk(const sorted_table& table, wide_string_view word,
                                          std::size_t length, bool report_values);

} // namespace veso
