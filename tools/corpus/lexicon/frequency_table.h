#pragma once

#include "lexicon/dictionary_sources.h"
#include "lexicon/morphology_store.h"
#include "lexicon/record_file.h"
#include "lexicon/text_words.h"

#include <array>
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <unordered_map>

namespace veso::corpus {

// Only authors 1 to 31 have a column in o.dat.
inline constexpr std::size_t frequency_columns = 31;

// Per headword, how many tokens of each author have a form that the headword can be the lemma
// of. A token counts once for each distinct lemma among its form's analyses.
class frequency_table {
public:
    frequency_table(const morphology_store& store, const text_word_counts& words);

    // The count of a headword for an author number; 0 outside columns 1 to 31.
    std::uint32_t count(std::string_view headword, std::size_t author) const;
    std::vector<record> records() const;
    std::size_t size() const { return counts_.size(); }

private:
    std::unordered_map<std::string, std::array<std::uint32_t, frequency_columns + 1>> counts_;
};

// Shares of text tokens with an analysis and with a definition of the lemma that the text view's
// case rule chooses, per author.
struct coverage_figures {
    struct tally {
        std::uint64_t tokens = 0;
        std::uint64_t analysed = 0;
        std::uint64_t defined = 0;
    };
    std::array<tally, author_slots> by_author{};
    std::uint64_t unstorable_tokens = 0;
    std::uint64_t non_greek_tokens = 0; // left out of the shares: numbers, sigla
    std::vector<std::pair<std::string, std::uint64_t>> unanalysed; // key, tokens; most first
    std::vector<std::pair<std::string, std::uint64_t>> undefined;  // lemma, tokens; most first

    nlohmann::json to_json() const;
    nlohmann::json unanalysed_json() const;
    double overall_analysed_percent() const;
    double overall_defined_percent() const;
};

// The index of the analysis the text view's case rule picks with the given author's counts.
std::size_t chosen_analysis(const morphology_store::analyses& list, const frequency_table& counts,
                            std::size_t author);

// Whether the program finds a definition for the headword, with its spelling fallbacks.
bool has_definition(std::u16string headword,
                    const std::map<std::u16string, chosen_definition>& definitions);

coverage_figures measure_coverage(const morphology_store& store, const text_word_counts& words,
                                  const frequency_table& counts,
                                  const std::map<std::u16string, chosen_definition>& definitions);

} // namespace veso::corpus
