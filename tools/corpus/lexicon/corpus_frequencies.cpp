#include "lexicon/corpus_frequencies.h"

#include <algorithm>
#include <array>

namespace veso::corpus {

std::string form_kind(const morphology_analysis& analysis) {
    std::string kind(1, analysis.marker == 'P' ? 'V' : analysis.marker);
    const std::string_view d = analysis.description;
    const auto dialects = d.find('(');
    kind += d.substr(0, dialects);
    while (kind.size() > 1 && kind.back() == ' ') {
        kind.pop_back();
    }
    // Forms the analyser gives only for dialects other than Attic are a kind of their own.
    if (dialects != std::string_view::npos) {
        const auto named = d.substr(dialects);
        if (named.find("attic") == std::string_view::npos &&
            named.find("prose") == std::string_view::npos) {
            kind += " ~";
        }
    }
    return kind;
}

namespace {

// One reading of a form: a lemma with a kind of form.
struct reading {
    std::uint32_t lemma;
    std::uint32_t kind;
};

// A form's distinct readings, as a range of the reading list.
struct form_readings {
    std::size_t begin = 0, end = 0;
};

// A form's tokens in the texts counted.
struct form_tokens {
    std::uint32_t form;
    double tokens;
};

// One round: each form's tokens shared among its readings in proportion to their weights; the
// shares are handed to add(reading, share).
template <typename Weight, typename Add>
void share_out(const std::vector<form_readings>& forms, const std::vector<reading>& readings,
               const std::vector<form_tokens>& counted, const Weight& weight, const Add& add) {
    for (const auto& [form, n] : counted) {
        const auto& f = forms[form];
        double sum = 0;
        for (std::size_t i = f.begin; i < f.end; ++i) {
            sum += weight(readings[i]);
        }
        for (std::size_t i = f.begin; i < f.end; ++i) {
            add(readings[i],
                sum > 0 ? n * weight(readings[i]) / sum : n / static_cast<double>(f.end - f.begin));
        }
    }
}

} // namespace

std::uint32_t corpus_frequencies::kind_id(const morphology_analysis& a) {
    return kind_id_.try_emplace(form_kind(a), static_cast<std::uint32_t>(kind_id_.size()))
        .first->second;
}

corpus_frequencies::corpus_frequencies(const analyses_lookup& find, const text_word_counts& words,
                                       settings s) {
    std::vector<form_readings> forms;
    std::vector<reading> readings;
    std::vector<form_tokens> overall_counts;
    std::vector<std::vector<form_tokens>> author_counts(author_slots);
    for (const auto& w : words.words) {
        const auto* list = find(w.key);
        if (list == nullptr || list->empty()) {
            continue;
        }
        form_readings f;
        f.begin = readings.size();
        for (const auto& a : *list) {
            const reading r{lemma_id_
                                .try_emplace(std::string(a.lemma()),
                                             static_cast<std::uint32_t>(lemma_id_.size()))
                                .first->second,
                            kind_id(a)};
            if (std::none_of(
                    readings.begin() + static_cast<std::ptrdiff_t>(f.begin), readings.end(),
                    [&](const reading& o) { return o.lemma == r.lemma && o.kind == r.kind; })) {
                readings.push_back(r);
            }
        }
        f.end = readings.size();
        const auto form = static_cast<std::uint32_t>(forms.size());
        forms.push_back(f);
        double all = 0;
        for (std::size_t a = 0; a < author_slots; ++a) {
            if (w.tokens[a] > 0) {
                author_counts[a].push_back({form, static_cast<double>(w.tokens[a])});
                all += w.tokens[a];
            }
        }
        overall_counts.push_back({form, all});
    }

    // A kind's word class is the first letter of its name.
    std::vector<char> kind_class(kind_id_.size());
    for (const auto& [name, id] : kind_id_) {
        kind_class[id] = name[0];
    }
    lemma_totals_.assign(lemma_id_.size(), 1.0);
    kind_shares_.assign(kind_id_.size(), 1.0);
    std::vector<double> lemma_next(lemma_totals_.size()), kind_next(kind_shares_.size());
    for (int round = 0; round < s.iterations; ++round) {
        std::fill(lemma_next.begin(), lemma_next.end(), 0.0);
        std::fill(kind_next.begin(), kind_next.end(), 0.0);
        share_out(
            forms, readings, overall_counts,
            [&](const reading& r) { return lemma_totals_[r.lemma] * kind_shares_[r.kind]; },
            [&](const reading& r, double share) {
                lemma_next[r.lemma] += share;
                kind_next[r.kind] += share;
            });
        lemma_totals_.swap(lemma_next);
        std::array<double, 256> class_total{};
        for (std::size_t k = 0; k < kind_next.size(); ++k) {
            class_total[static_cast<unsigned char>(kind_class[k])] += kind_next[k];
        }
        for (std::size_t k = 0; k < kind_next.size(); ++k) {
            const double total = class_total[static_cast<unsigned char>(kind_class[k])];
            kind_shares_[k] = total > 0 ? kind_next[k] / total : 0.0;
        }
    }

    double all_tokens = 0;
    for (const auto& [form, n] : overall_counts) {
        all_tokens += n;
    }
    author_lemma_weights_.resize(author_slots);
    std::vector<double> prior(lemma_totals_.size()), own(lemma_totals_.size());
    for (std::size_t a = 0; a < author_slots; ++a) {
        if (author_counts[a].empty()) {
            continue;
        }
        for (std::size_t l = 0; l < prior.size(); ++l) {
            prior[l] = s.author_prior_tokens * lemma_totals_[l] / all_tokens;
            own[l] = 0;
        }
        for (int round = 0; round < s.iterations; ++round) {
            std::fill(lemma_next.begin(), lemma_next.end(), 0.0);
            share_out(
                forms, readings, author_counts[a],
                [&](const reading& r) {
                    return (own[r.lemma] + prior[r.lemma]) * kind_shares_[r.kind];
                },
                [&](const reading& r, double share) { lemma_next[r.lemma] += share; });
            own.swap(lemma_next);
        }
        auto& weights = author_lemma_weights_[a];
        weights.resize(own.size());
        for (std::size_t l = 0; l < weights.size(); ++l) {
            weights[l] = static_cast<float>(own[l] + prior[l]);
        }
    }
}

std::optional<std::uint32_t> corpus_frequencies::lemma_index(std::string_view lemma) const {
    const auto it = lemma_id_.find(std::string(lemma));
    return it == lemma_id_.end() ? std::nullopt : std::optional<std::uint32_t>(it->second);
}

double corpus_frequencies::lemma_weight(std::uint32_t index, std::size_t author) const {
    if (author == every_author) {
        return lemma_totals_[index];
    }
    if (author >= author_lemma_weights_.size() || author_lemma_weights_[author].empty()) {
        return 0;
    }
    return author_lemma_weights_[author][index];
}

double corpus_frequencies::lemma_weight(std::string_view lemma, std::size_t author) const {
    const auto index = lemma_index(lemma);
    return index ? lemma_weight(*index, author) : 0.0;
}

double corpus_frequencies::form_share(std::string_view kind) const {
    const auto it = kind_id_.find(std::string(kind));
    return it == kind_id_.end() ? 0.0 : kind_shares_[it->second];
}

} // namespace veso::corpus
