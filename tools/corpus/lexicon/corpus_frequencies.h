#pragma once

#include "lexicon/morphology_analysis.h"
#include "lexicon/text_words.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace veso::corpus {

// The analyses the program shows for a look-up key, or nullptr.
using analyses_lookup =
    std::function<const std::vector<morphology_analysis>*(std::string_view key)>;

// What the texts' word counts alone say about readings. A reading of a token is a lemma and a
// kind of form (a word class and a description such as "masc dat pl"); a reading is taken to be
// as likely as its lemma is frequent times the share of that word class's tokens that take that
// kind of form. Both are learned together: every form's tokens are shared among its readings in
// proportion to that product, the lemmas' and kinds' totals are counted again from the shares,
// and so on a fixed number of times (expectation maximisation, from equal shares). The kinds
// are shared by all authors; an author's lemma totals start from, and are drawn towards, the
// overall ones, so that a lemma the author's few tokens say little about keeps its standing.
class corpus_frequencies {
public:
    static constexpr std::size_t every_author = author_slots;

    struct settings {
        int iterations = 10;
        // How many tokens of the overall totals an author's totals are drawn towards.
        double author_prior_tokens = 2000;
    };

    corpus_frequencies(const analyses_lookup& find, const text_word_counts& words, settings s);

    // How strongly the lemma is expected in the author's texts (every_author: in the whole
    // corpus): its expected tokens, for an author plus its share of the overall totals drawn in.
    // 0 for a lemma of no text word.
    double lemma_weight(std::string_view lemma, std::size_t author) const;
    // The same by the lemma's index, which is stable for the object's life.
    std::optional<std::uint32_t> lemma_index(std::string_view lemma) const;
    double lemma_weight(std::uint32_t index, std::size_t author) const;
    // The share of its word class's tokens that take a kind of form (see form_kind); 0 for a
    // kind no text word has.
    double form_share(std::string_view kind) const;
    std::size_t lemma_count() const { return lemma_totals_.size(); }

private:
    std::uint32_t kind_id(const morphology_analysis& a);

    std::unordered_map<std::string, std::uint32_t> lemma_id_;
    std::unordered_map<std::string, std::uint32_t> kind_id_;
    std::vector<double> lemma_totals_;
    std::vector<double> kind_shares_;
    std::vector<std::vector<float>> author_lemma_weights_; // empty for authors without tokens
};

// The kind of form an analysis is: its word class (verbs and participles one class) and its
// description without dialects, e.g. "N masc dat pl".
std::string form_kind(const morphology_analysis& analysis);

} // namespace veso::corpus
