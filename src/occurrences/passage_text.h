#pragma once

#include "greek/wide_string.h"
#include "occurrences/index_format.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace veso::occurrences {

// Stretches of a leaf's loaded text, read straight from the text files of the data folder (the
// document loads a whole work to show one of its sections; a line of context needs a few hundred
// units of it).
class passage_text {
public:
    explicit passage_text(std::filesystem::path data_folder);

    // The units [from, to) of the leaf's loaded text, kept within the leaf's range; what the file
    // does not hold is left out.
    wide_string units(const leaf_record& leaf, std::int32_t from, std::int32_t to);

private:
    std::filesystem::path folder_;
    std::array<std::ifstream, text_files.size()> files_;
};

// A token with about six words either side, as far as its leaf goes. Words are runs between
// spaces and line ends; the bold markers are dropped.
struct keyword_line {
    wide_string before;
    wide_string word;
    wide_string after;
};
keyword_line keyword_in_context(passage_text& text, const leaf_record& leaf, std::int32_t position,
                                int words_each_side = 6);

} // namespace veso::occurrences
