#pragma once

#include "texts/catalogue_outline.h"
#include "texts/text_model.h"

#include <filesystem>
#include <string>

namespace veso::corpus {

// Builds one classical author's subtree and passages from the Perseus editions under texts
// (perseus/data/tlgNNNN/, and perseus-later/ for Diodorus' books 9 and 10). Returns false with a
// reason in error.
bool build_classical_author(const outline_author& author, const std::filesystem::path& texts,
                            author_texts& out, std::string& error);

// The range items of a book: the first holds up to nine chapters, the rest up to ten, each
// labelled with its first and last chapter ("1 - 9", "10 - 19", "210 - 216"); the first range
// of a full book is always "1 - 9".
std::vector<catalogue_node> chapter_ranges(const std::vector<catalogue_node>& chapters);

} // namespace veso::corpus
