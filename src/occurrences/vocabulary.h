#pragma once

#include "greek/betaconverter.h"
#include "greek/wide_string.h"
#include "occurrences/occurrence_index.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace veso::occurrences {

// One lemma of a passage's vocabulary.
struct vocabulary_row {
    std::uint32_t lemma = 0;
    wide_string beta;  // the lemma in Beta Code, as the dictionary is keyed
    wide_string greek; // the lemma in Greek
    std::uint32_t in_section = 0;
    double in_author = 0;            // the lemma's count in the author (occurrence_index)
    std::uint32_t author_rank = 0;   // 0 for the author's most frequent lemma
    std::uint32_t first_word = 0;    // the first token's number in the section, from 1
    std::int32_t first_position = 0; // the first token's position in the loaded text
    wide_string gloss;
};

enum class vocabulary_order { first_appearance, author_frequency, alphabetical };

// Every lemma of a leaf once, each token counted under its likeliest lemma for the leaf's author;
// tokens without an analysis are counted apart.
class vocabulary_list {
public:
    // The short gloss of a lemma (Beta Code).
    using gloss_source = std::function<wide_string(const wide_string& lemma)>;

    vocabulary_list(const occurrence_index& index, std::size_t leaf,
                    const betaconverter& converter);

    std::int32_t author() const { return author_; }
    std::uint32_t tokens() const { return tokens_; }
    std::uint32_t unanalysed_tokens() const { return unanalysed_; }
    const std::vector<vocabulary_row>& all_rows() const { return rows_; }

    // The rows in the order asked for, leaving out the lemmas among the author's `skip_common`
    // most frequent; the glosses are filled from gloss_of, when given, for the rows returned.
    std::vector<vocabulary_row> rows(vocabulary_order order, std::uint32_t skip_common,
                                     const gloss_source& gloss_of = {}) const;

private:
    std::int32_t author_ = 0;
    std::uint32_t tokens_ = 0;
    std::uint32_t unanalysed_ = 0;
    std::vector<vocabulary_row> rows_; // in order of first appearance
};

// The rows as CSV (RFC 4180, a header line, lines ended by CR LF): lemma (Beta Code), greek,
// in_section, in_author, gloss, first_word.
wide_string vocabulary_csv(const std::vector<vocabulary_row>& rows);
// The rows as tab-separated text for flash-card programs: the lemma in Greek, a tab, the gloss,
// one card a line.
wide_string vocabulary_flash_cards(const std::vector<vocabulary_row>& rows);

} // namespace veso::occurrences
