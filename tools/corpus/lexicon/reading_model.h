#pragma once

#include "lexicon/corpus_frequencies.h"
#include "lexicon/morphology_analysis.h"
#include "lexicon/text_words.h"
#include "lexicon/treebank_evidence.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace veso::corpus {

// How likely each analysis of a word form is in running text. A form's annotated words say how
// often it was each lemma and each analysis; a few pseudo-words, shared out as the unannotated
// corpus would share the form's tokens (per author), stand in for what the annotations do not
// cover.
class reading_model {
public:
    using analyses = std::vector<morphology_analysis>;
    static constexpr std::size_t every_author = corpus_frequencies::every_author;

    struct settings {
        // Pseudo-words added to a form's annotated words, shared among its lemmas.
        double lemma_prior_words = 1.0;
        // Pseudo-words added to a lemma's annotated words of a form, shared among its analyses.
        double tag_prior_words = 1.0;
        // Pseudo-words of the corpus's estimate added to the annotated words of a word class
        // when counting how often it takes each kind of form.
        double kind_prior_words = 10.0;
        corpus_frequencies::settings frequencies;
        // How common a lemma is against its homographs (the same spelling but for the digit)
        // where a form's analyses of them are alike, so that neither the annotators, whose
        // lemmas have no digits, nor the corpus can tell them apart; unset, or 0 for any of
        // them: equally common.
        std::function<double(std::string_view lemma)> homograph_weight;
    };

    // The analyses are those the program shows (find), after the headwords have their final
    // spelling; the word counts are the corpus texts' (text keys whose analyses are their bare
    // letters' share those letters' annotations).
    reading_model(analyses_lookup find, const text_word_counts& words,
                  const std::vector<annotated_text>& annotated, settings s);

    // The likelihood of each analysis of the form's list, for an author's texts (every_author:
    // the whole corpus); they sum to 1.
    std::vector<double> likelihoods(std::string_view key, const analyses& list,
                                    std::size_t author) const;
    // The list's indexes, most likely lemma first and within a lemma the most likely analysis
    // first (over the whole corpus); ties keep the list's order. Every index appears once.
    std::vector<std::size_t> reading_order(std::string_view key, const analyses& list) const;
    // Per lemma and author slot, the tokens of the texts expected to be that lemma: each form's
    // tokens shared among its lemmas by their likelihood for the author (not rounded; they add up
    // to the tokens of the analysed forms).
    std::unordered_map<std::string, std::array<double, author_slots>>
    expected_lemma_tokens(const text_word_counts& words) const;

    // Takes one of the annotated texts the model was built with out of the evidence, and back
    // in: for evaluating on held-out texts.
    void withdraw(const annotated_text& text) { count(text, -1); }
    void restore(const annotated_text& text) { count(text, +1); }
    // Whether any annotated word of the form is in the evidence now.
    bool has_evidence(std::string_view key) const;

    const analyses_lookup& lookup() const { return find_; }
    // Annotated words used, and left out because the program has no analysis of their form or
    // none with their lemma.
    nlohmann::json figures() const;

private:
    // Annotated words of one form that name the same analyses (lemma and description).
    struct evidence {
        std::string lemma;
        std::string description;
        std::int64_t units = 0; // words in units of 1/720720, so that ties split exactly
    };

    // What is known of a form apart from the author: its analyses grouped by lemma, the
    // annotated words of each analysis, and each analysis's kind of form.
    struct form_facts {
        std::vector<std::size_t> lemma_of;                   // per analysis, its lemma's index
        std::vector<std::string_view> lemmas;                // in the order they first appear
        std::vector<std::optional<std::uint32_t>> lemma_ids; // in corpus_frequencies
        std::vector<double> annotated;                       // per analysis
        std::vector<double> lemma_annotated;                 // per lemma
        double words = 0;                                    // annotated words of the form
        std::vector<double> kind;       // per analysis: its kind of form's share
        std::vector<double> lemma_kind; // per lemma: its analyses' kind shares summed
        // per lemma: the first lemma of its homographs whose analyses of the form are alike
        std::vector<std::size_t> twin_of;
        // per lemma with a twin here: its homograph weight (see settings); 0 otherwise
        std::vector<double> twin_weight;
    };

    form_facts facts(std::string_view key, const analyses& list) const;
    std::vector<double> lemma_likelihoods(const form_facts& f, std::size_t author) const;
    std::vector<double> within_lemma(const form_facts& f) const;
    void share_among_twins(const form_facts& f, std::vector<double>& likelihood) const;
    void count(const annotated_text& text, int sign);
    // The share of its word class's words that take a kind of form: the annotations' count,
    // backed off to the corpus's estimate.
    double kind_share(const std::string& kind) const;
    const std::vector<evidence>* evidence_of(std::string_view key) const;

    analyses_lookup find_;
    settings settings_;
    corpus_frequencies frequencies_;
    std::unordered_map<std::string, std::string> bare_letters_; // text key -> analyser key
    std::unordered_map<std::string, std::vector<evidence>> evidence_;
    std::unordered_map<std::string, std::int64_t> kind_units_;
    std::array<std::int64_t, 256> class_units_{};
    std::int64_t words_used_ = 0, words_unanalysed_ = 0, words_without_lemma_ = 0;
};

} // namespace veso::corpus
