#pragma once

#include "library/mydoc.h"
#include "library/text_tables.h"
#include "occurrences/reading_shares.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <span>
#include <string>

namespace veso::corpus {

// What the occurrence index is built from: the folder holding data/ with the text and lexicon
// files, the tables the program navigates those texts by, its catalogue, and the leaves whose
// passage is only the notice that the open corpus lacks the text (in increasing order).
struct occurrence_sources {
    std::filesystem::path root;
    document_tables tables;
    std::span<const catalogue_entry> catalogue;
    std::span<const std::int32_t> notices;
};

// Writes root/data/occurrences.idx: every leaf of the catalogue loaded as the program loads it,
// each word cut as the text view cuts it and looked up in the lexicon files as the program looks
// it up, each lemma listed with the shares readings gives it. Adds its figures to report. Returns
// false with a message in error when the data cannot be read or the file cannot be written.
bool write_occurrence_index(const occurrence_sources& sources, const reading_likelihood& readings,
                            nlohmann::json& report, std::string& error);

// The data builder's step: the index of the data just written into out, with the program's
// compiled tables and catalogue and the reading shares given. Prints what it did; false (with a
// message on standard error) when the index cannot be written.
bool build_occurrence_index(const std::filesystem::path& out, const reading_likelihood& readings,
                            nlohmann::json& report);

} // namespace veso::corpus
