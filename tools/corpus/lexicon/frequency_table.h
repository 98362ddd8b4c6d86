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

// o.dat has a column for every author number, 1 to 44 (38 Sappho, 44 the Bible); the first 31
// are the classical authors, in the places readers of 31 columns expect them.
inline constexpr std::size_t frequency_columns = author_slots - 1;

// Per headword and author slot, the tokens expected to be that lemma (not rounded).
using expected_lemma_counts = std::unordered_map<std::string, std::array<double, author_slots>>;

// Per headword, how many tokens of each author are expected to be that lemma, rounded: each
// token is shared among its form's lemmas, so that it counts once in all.
class frequency_table {
public:
    // Every lemma of the store has a row; those the texts never show count 0.
    frequency_table(const morphology_store& store, const expected_lemma_counts& expected);

    // The count of a headword for an author number; 0 outside columns 1 to 44.
    std::uint32_t count(std::string_view headword, std::size_t author) const;
    std::vector<record> records() const;
    std::size_t size() const { return counts_.size(); }

private:
    std::unordered_map<std::string, std::array<std::uint32_t, frequency_columns + 1>> counts_;
};

// Shares of text tokens with an analysis and with a definition of the lemma that the text view's
// case rule chooses, per author; and what the first lemma of each analysed token shows.
struct coverage_figures {
    struct tally {
        std::uint64_t tokens = 0;
        std::uint64_t analysed = 0;
        std::uint64_t defined = 0;
        // The first lemma's definition: LSJ's full entry, a gloss with a fuller entry, another
        // dictionary's entry, none.
        std::uint64_t first_lsj_full = 0;
        std::uint64_t first_composed = 0;
        std::uint64_t first_other = 0;
        std::uint64_t first_none = 0;
        // Of first_other and first_none: lemmas LSJ has in full.
        std::uint64_t first_lsj_has_other = 0;
    };
    std::array<tally, author_slots> by_author{};
    std::uint64_t unstorable_tokens = 0;
    std::uint64_t non_greek_tokens = 0; // left out of the shares: numbers, sigla
    std::vector<std::pair<std::string, std::uint64_t>> unanalysed; // key, tokens; most first
    std::vector<std::pair<std::string, std::uint64_t>> undefined;  // lemma, tokens; most first
    // First lemmas LSJ has in full that show another dictionary or nothing; most first.
    std::vector<std::pair<std::string, std::uint64_t>> lsj_has_other;

    nlohmann::json to_json() const;
    nlohmann::json unanalysed_json() const;
    double overall_analysed_percent() const;
    double overall_defined_percent() const;
};

// The index of the analysis the text view's case rule picks with the given author's counts.
std::size_t chosen_analysis(const morphology_store::analyses& list, const frequency_table& counts,
                            std::size_t author);

// What the program finds for a headword with its spelling fallbacks: the definition (nullptr for
// none), and whether LSJ has the word in full under one of the spellings it tries on the way.
struct definition_found {
    const chosen_definition* definition = nullptr;
    bool lsj_has_word = false;
};
definition_found find_definition(std::u16string headword, const dictionary& dictionary);

coverage_figures measure_coverage(const morphology_store& store, const text_word_counts& words,
                                  const frequency_table& counts, const dictionary& dictionary);

} // namespace veso::corpus
