#include "lexicon/reading_evaluation.h"

#include "lexicon/annotation_match.h"

#include <algorithm>

namespace veso::corpus {

void reading_tally::add(const reading_tally& other, std::uint64_t times) {
    words += other.words * times;
    lemma_listed += other.lemma_listed * times;
    lemma_first_before += other.lemma_first_before * times;
    lemma_first_after += other.lemma_first_after * times;
    analysis_first_before += other.analysis_first_before * times;
    analysis_first_after += other.analysis_first_after * times;
}

namespace {

double percent(std::uint64_t part, std::uint64_t whole) {
    return whole == 0 ? 0.0 : static_cast<double>(part) * 100.0 / static_cast<double>(whole);
}

} // namespace

nlohmann::json reading_tally::to_json() const {
    return {{"words", words},
            {"lemma_listed_percent", percent(lemma_listed, words)},
            {"first_lemma_right_before_percent", percent(lemma_first_before, words)},
            {"first_lemma_right_after_percent", percent(lemma_first_after, words)},
            {"first_analysis_right_before_percent", percent(analysis_first_before, words)},
            {"first_analysis_right_after_percent", percent(analysis_first_after, words)}};
}

std::vector<held_out_text> evaluate_held_out(reading_model& model,
                                             const std::vector<annotated_text>& texts) {
    std::vector<held_out_text> results;
    for (const auto& text : texts) {
        model.withdraw(text);
        held_out_text r{text.name, text.author, {}, {}};
        for (const auto& [word_of_text, occurrences] : distinct_words(text)) {
            const auto& word = *word_of_text;
            const auto* list = model.lookup()(word.key);
            if (list == nullptr || list->empty()) {
                continue;
            }
            reading_tally t;
            t.words = 1;
            const auto chosen = annotated_analyses(word.lemma, word.tag, *list);
            if (!chosen.empty()) {
                t.lemma_listed = 1;
                auto right_lemma = [&](std::size_t i) {
                    return std::any_of(chosen.begin(), chosen.end(), [&](std::size_t c) {
                        return (*list)[c].lemma() == (*list)[i].lemma();
                    });
                };
                auto right = [&](std::size_t i) {
                    return std::find(chosen.begin(), chosen.end(), i) != chosen.end();
                };
                const std::size_t first = model.reading_order(word.key, *list).front();
                t.lemma_first_before = right_lemma(0) ? 1 : 0;
                t.lemma_first_after = right_lemma(first) ? 1 : 0;
                t.analysis_first_before = right(0) ? 1 : 0;
                t.analysis_first_after = right(first) ? 1 : 0;
            }
            r.all.add(t, occurrences);
            if (!model.has_evidence(word.key)) {
                r.unseen.add(t, occurrences);
            }
        }
        model.restore(text);
        results.push_back(std::move(r));
    }
    return results;
}

nlohmann::json held_out_json(const std::vector<held_out_text>& results) {
    nlohmann::json out;
    reading_tally classical, biblical, other, all, all_unseen;
    for (const auto& r : results) {
        auto& group = r.author == 44 ? biblical : r.author > 0 ? classical : other;
        group.add(r.all);
        all.add(r.all);
        all_unseen.add(r.unseen);
        nlohmann::json one = r.all.to_json();
        one["author"] = r.author;
        one["unseen_forms"] = r.unseen.to_json();
        out["by_text"][r.name] = one;
    }
    out["classical_authors"] = classical.to_json();
    out["bible"] = biblical.to_json();
    out["other_authors"] = other.to_json();
    out["all"] = all.to_json();
    out["all_unseen_forms"] = all_unseen.to_json();
    return out;
}

} // namespace veso::corpus
