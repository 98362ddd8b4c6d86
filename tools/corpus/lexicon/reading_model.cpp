#include "lexicon/reading_model.h"

#include "lexicon/annotation_match.h"
#include "lexicon/lsj_homographs.h"

#include <algorithm>
#include <numeric>

namespace veso::corpus {

namespace {

// Ties of up to 16 analyses split a word into whole units.
constexpr std::int64_t units_per_word = 720720;
// Tokens every lemma of a form is granted, and the share every kind of form is granted, so that
// readings the texts never show keep a likelihood.
constexpr double unseen_lemma_tokens = 0.01;
constexpr double unseen_kind_share = 1e-6;

// The key whose own list the program shows for a key: it drops the "*" of capitals one by one
// until a key has analyses.
std::string listed_key(const analyses_lookup& find, std::string_view key) {
    const auto* list = find(key);
    std::string found(key);
    if (list == nullptr) {
        return found;
    }
    std::string k(key);
    for (auto star = k.find('*'); star != std::string::npos; star = k.find('*')) {
        k.erase(star, 1);
        if (find(k) != list) {
            break;
        }
        found = k;
    }
    return found;
}

} // namespace

reading_model::reading_model(analyses_lookup find, const text_word_counts& words,
                             const std::vector<annotated_text>& annotated, settings s)
    : find_(std::move(find)), settings_(s), frequencies_(find_, words, s.frequencies) {
    for (const auto& w : words.words) {
        if (w.key != w.analysis_key) {
            bare_letters_.try_emplace(w.key, w.analysis_key);
        }
    }
    for (const auto& text : annotated) {
        count(text, +1);
    }
}

void reading_model::count(const annotated_text& text, int sign) {
    for (const auto& [word_of_text, occurrences] : distinct_words(text)) {
        const auto& word = *word_of_text;
        const std::int64_t words = sign * static_cast<std::int64_t>(occurrences);
        const std::string key = listed_key(find_, word.key);
        const auto* list = find_(key);
        if (list == nullptr) {
            words_unanalysed_ += words;
            continue;
        }
        const auto chosen = annotated_analyses(word.lemma, word.tag, *list);
        if (chosen.empty()) {
            words_without_lemma_ += words;
            continue;
        }
        words_used_ += words;
        const std::int64_t units =
            words * (units_per_word / static_cast<std::int64_t>(chosen.size()));
        auto& entries = evidence_[key];
        for (const auto i : chosen) {
            const auto& a = (*list)[i];
            auto it = std::find_if(entries.begin(), entries.end(), [&](const evidence& e) {
                return e.lemma == a.lemma() && e.description == a.description;
            });
            if (it == entries.end()) {
                entries.push_back({std::string(a.lemma()), a.description, 0});
                it = entries.end() - 1;
            }
            it->units += units;
            const std::string kind = form_kind(a);
            kind_units_[kind] += units;
            class_units_[static_cast<unsigned char>(kind[0])] += units;
        }
    }
}

double reading_model::kind_share(const std::string& kind) const {
    const auto it = kind_units_.find(kind);
    const double annotated =
        it == kind_units_.end() ? 0.0 : static_cast<double>(it->second) / units_per_word;
    const double class_words =
        static_cast<double>(class_units_[static_cast<unsigned char>(kind[0])]) / units_per_word;
    const double corpus = frequencies_.form_share(kind) + unseen_kind_share;
    return (annotated + settings_.kind_prior_words * corpus) /
           (class_words + settings_.kind_prior_words);
}

const std::vector<reading_model::evidence>* reading_model::evidence_of(std::string_view key) const {
    if (const auto it = evidence_.find(listed_key(find_, key)); it != evidence_.end()) {
        return &it->second;
    }
    if (const auto bare = bare_letters_.find(std::string(key)); bare != bare_letters_.end()) {
        if (const auto it = evidence_.find(listed_key(find_, bare->second));
            it != evidence_.end()) {
            return &it->second;
        }
    }
    return nullptr;
}

bool reading_model::has_evidence(std::string_view key) const {
    const auto* entries = evidence_of(key);
    return entries != nullptr && std::any_of(entries->begin(), entries->end(),
                                             [](const evidence& e) { return e.units > 0; });
}

reading_model::form_facts reading_model::facts(std::string_view key, const analyses& list) const {
    form_facts f;
    f.lemma_of.resize(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto lemma = list[i].lemma();
        const auto at = std::find(f.lemmas.begin(), f.lemmas.end(), lemma);
        f.lemma_of[i] = static_cast<std::size_t>(at - f.lemmas.begin());
        if (at == f.lemmas.end()) {
            f.lemmas.push_back(lemma);
            f.lemma_ids.push_back(frequencies_.lemma_index(lemma));
        }
    }
    const std::size_t n = f.lemmas.size();

    // Annotated words per analysis; a word whose lemma and description two analyses share is
    // split between them.
    f.annotated.assign(list.size(), 0.0);
    if (const auto* entries = evidence_of(key)) {
        std::vector<std::size_t> same;
        for (const auto& e : *entries) {
            same.clear();
            for (std::size_t i = 0; i < list.size(); ++i) {
                if (list[i].lemma() == e.lemma && list[i].description == e.description) {
                    same.push_back(i);
                }
            }
            for (const auto i : same) {
                f.annotated[i] += static_cast<double>(e.units) / units_per_word /
                                  static_cast<double>(same.size());
            }
        }
    }
    f.lemma_annotated.assign(n, 0.0);
    for (std::size_t i = 0; i < list.size(); ++i) {
        f.lemma_annotated[f.lemma_of[i]] += f.annotated[i];
        f.words += f.annotated[i];
    }

    // Analyses of one lemma and kind that differ only in dialect are one reading and share it.
    std::vector<std::string> kinds(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        kinds[i] = form_kind(list[i]);
    }
    f.kind.resize(list.size());
    f.lemma_kind.assign(n, 0.0);
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::size_t twins = 0;
        for (std::size_t j = 0; j < list.size(); ++j) {
            twins += f.lemma_of[j] == f.lemma_of[i] && kinds[j] == kinds[i] ? 1 : 0;
        }
        f.kind[i] = kind_share(kinds[i]) / static_cast<double>(twins);
        f.lemma_kind[f.lemma_of[i]] += f.kind[i];
    }

    // Homographs whose analyses of this form have the same kinds of form are twins here.
    std::vector<std::string> bare(n);
    std::vector<std::vector<std::string>> lemma_kinds(n);
    for (std::size_t l = 0; l < n; ++l) {
        bare[l] = without_homograph_digits(f.lemmas[l]);
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        lemma_kinds[f.lemma_of[i]].push_back(kinds[i]);
    }
    f.twin_of.resize(n);
    for (std::size_t l = 0; l < n; ++l) {
        std::sort(lemma_kinds[l].begin(), lemma_kinds[l].end());
        f.twin_of[l] = l;
        for (std::size_t m = 0; m < l; ++m) {
            if (bare[m] == bare[l] && lemma_kinds[m] == lemma_kinds[l]) {
                f.twin_of[l] = f.twin_of[m];
                break;
            }
        }
    }
    // Weighed once per form, and only the lemmas that have a twin here.
    f.twin_weight.assign(n, 0.0);
    if (settings_.homograph_weight) {
        for (std::size_t l = 0; l < n; ++l) {
            for (std::size_t m = 0; m < n; ++m) {
                if (m != l && f.twin_of[m] == f.twin_of[l]) {
                    f.twin_weight[l] = settings_.homograph_weight(f.lemmas[l]);
                    break;
                }
            }
        }
    }
    return f;
}

void reading_model::share_among_twins(const form_facts& f, std::vector<double>& likelihood) const {
    const std::size_t n = likelihood.size();
    for (std::size_t first = 0; first < n; ++first) {
        double pooled = 0, weights = 0;
        std::size_t members = 0;
        bool all_weighed = true;
        for (std::size_t l = first; l < n; ++l) {
            if (f.twin_of[l] == first) {
                all_weighed = all_weighed && f.twin_weight[l] > 0;
                pooled += likelihood[l];
                weights += f.twin_weight[l];
                ++members;
            }
        }
        if (members < 2 || !all_weighed) {
            continue;
        }
        for (std::size_t l = first; l < n; ++l) {
            if (f.twin_of[l] == first) {
                likelihood[l] = pooled * f.twin_weight[l] / weights;
            }
        }
    }
}

std::vector<double> reading_model::lemma_likelihoods(const form_facts& f,
                                                     std::size_t author) const {
    // The unannotated corpus's view: a lemma as likely as its weight in the author's texts
    // times its analyses' kind shares (an author without texts takes the whole corpus's).
    const std::size_t n = f.lemmas.size();
    std::vector<double> prior(n, 0.0);
    for (const auto from : {author, every_author}) {
        double raw = 0;
        for (std::size_t l = 0; l < n; ++l) {
            prior[l] = f.lemma_ids[l] ? frequencies_.lemma_weight(*f.lemma_ids[l], from) : 0.0;
            raw += prior[l];
        }
        if (raw > 0) {
            break;
        }
    }
    double prior_sum = 0;
    for (std::size_t l = 0; l < n; ++l) {
        prior[l] = (prior[l] + unseen_lemma_tokens) * f.lemma_kind[l];
        prior_sum += prior[l];
    }
    std::vector<double> likelihood(n);
    for (std::size_t l = 0; l < n; ++l) {
        likelihood[l] =
            (f.lemma_annotated[l] + settings_.lemma_prior_words * prior[l] / prior_sum) /
            (f.words + settings_.lemma_prior_words);
    }
    share_among_twins(f, likelihood);
    return likelihood;
}

std::vector<double> reading_model::within_lemma(const form_facts& f) const {
    std::vector<double> likelihood(f.kind.size());
    for (std::size_t i = 0; i < likelihood.size(); ++i) {
        const std::size_t l = f.lemma_of[i];
        likelihood[i] = (f.annotated[i] + settings_.tag_prior_words * f.kind[i] / f.lemma_kind[l]) /
                        (f.lemma_annotated[l] + settings_.tag_prior_words);
    }
    return likelihood;
}

std::vector<double> reading_model::likelihoods(std::string_view key, const analyses& list,
                                               std::size_t author) const {
    const auto f = facts(key, list);
    const auto lemma = lemma_likelihoods(f, author);
    auto result = within_lemma(f);
    for (std::size_t i = 0; i < result.size(); ++i) {
        result[i] *= lemma[f.lemma_of[i]];
    }
    return result;
}

std::vector<std::size_t> reading_model::reading_order(std::string_view key,
                                                      const analyses& list) const {
    const auto f = facts(key, list);
    const auto lemma = lemma_likelihoods(f, every_author);
    const auto within = within_lemma(f);
    std::vector<std::size_t> order(list.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const std::size_t la = f.lemma_of[a], lb = f.lemma_of[b];
        if (la != lb) {
            if (lemma[la] != lemma[lb]) {
                return lemma[la] > lemma[lb];
            }
            return la < lb;
        }
        return within[a] > within[b];
    });
    return order;
}

std::unordered_map<std::string, std::array<double, author_slots>>
reading_model::expected_lemma_tokens(const text_word_counts& words) const {
    std::unordered_map<std::string, std::array<double, author_slots>> tokens;
    for (const auto& w : words.words) {
        const auto* list = find_(w.key);
        if (list == nullptr || list->empty()) {
            continue;
        }
        const auto f = facts(w.key, *list);
        std::vector<std::array<double, author_slots>*> rows;
        for (const auto lemma : f.lemmas) {
            rows.push_back(&tokens.try_emplace(std::string(lemma)).first->second);
        }
        for (std::size_t author = 0; author < author_slots; ++author) {
            if (w.tokens[author] == 0) {
                continue;
            }
            if (rows.size() == 1) {
                (*rows[0])[author] += w.tokens[author];
                continue;
            }
            const auto shares = lemma_likelihoods(f, author);
            for (std::size_t l = 0; l < rows.size(); ++l) {
                (*rows[l])[author] += shares[l] * w.tokens[author];
            }
        }
    }
    return tokens;
}

nlohmann::json reading_model::figures() const {
    return {{"annotated_words_used", words_used_},
            {"annotated_words_without_analysis", words_unanalysed_},
            {"annotated_words_whose_lemma_no_analysis_has", words_without_lemma_},
            {"forms_with_annotations", evidence_.size()},
            {"lemmas_counted", frequencies_.lemma_count()}};
}

} // namespace veso::corpus
