#pragma once

#include "lexicon/reading_model.h"
#include "lexicon/treebank_evidence.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace veso::corpus {

// How often the first analysis a reader sees is the one the annotators chose.
struct reading_tally {
    std::uint64_t words = 0;                 // annotated words whose form the program analyses
    std::uint64_t lemma_listed = 0;          // ... and has an analysis with the annotated lemma
    std::uint64_t lemma_first_before = 0;    // the first analysis in the analyser's order has it
    std::uint64_t lemma_first_after = 0;     // the first in the model's order has it
    std::uint64_t analysis_first_before = 0; // the first analysis agrees in lemma and tag as well
    std::uint64_t analysis_first_after = 0;

    void add(const reading_tally& other, std::uint64_t times = 1);
    nlohmann::json to_json() const;
};

struct held_out_text {
    std::string name;
    int author = 0;
    reading_tally all;
    reading_tally unseen; // words whose form no other text annotates
};

// Each text held out in turn: the model learns from the other texts only and orders the held-out
// text's analyses. The model is left as it was.
std::vector<held_out_text> evaluate_held_out(reading_model& model,
                                             const std::vector<annotated_text>& texts);

// Per text, and summed over the texts of classical catalogue authors, of the Bible (author 44),
// of other authors and over all.
nlohmann::json held_out_json(const std::vector<held_out_text>& results);

} // namespace veso::corpus
