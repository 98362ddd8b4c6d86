#include "lexicon/frequency_table.h"

#include "lexicon/record_file.h"

#include <algorithm>
#include <cmath>

namespace veso::corpus {

namespace {

bool has_greek_letter(std::string_view key) {
    return std::any_of(key.begin(), key.end(),
                       [](char c) { return c >= 'a' && c <= 'z' && c != 'j' && c != 'v'; });
}

} // namespace

frequency_table::frequency_table(const morphology_store& store,
                                 const expected_lemma_counts& expected) {
    store.for_each_lemma([&](std::string_view lemma) { counts_.try_emplace(std::string(lemma)); });
    for (const auto& [lemma, tokens] : expected) {
        auto& row = counts_[lemma];
        for (std::size_t author = 1; author <= frequency_columns; ++author) {
            row[author] = static_cast<std::uint32_t>(std::llround(tokens[author]));
        }
    }
}

std::uint32_t frequency_table::count(std::string_view headword, std::size_t author) const {
    if (author < 1 || author > frequency_columns) {
        return 0;
    }
    const auto it = counts_.find(std::string(headword));
    return it == counts_.end() ? 0 : it->second[author];
}

std::vector<record> frequency_table::records() const {
    std::vector<const std::string*> keys;
    keys.reserve(counts_.size());
    for (const auto& [key, row] : counts_) {
        keys.push_back(&key);
    }
    std::sort(keys.begin(), keys.end(),
              [](const std::string* a, const std::string* b) { return *a < *b; });
    std::vector<record> out;
    out.reserve(keys.size());
    for (const auto* key : keys) {
        const auto& row = counts_.at(*key);
        std::string value;
        for (std::size_t author = 1; author <= frequency_columns; ++author) {
            if (author > 1) {
                value += ',';
            }
            value += std::to_string(row[author]);
        }
        out.emplace_back(widen(*key), widen(value));
    }
    return out;
}

std::size_t chosen_analysis(const morphology_store::analyses& list, const frequency_table& counts,
                            std::size_t author) {
    std::size_t best = 0;
    std::uint32_t best_count = 0;
    bool zero_seen = false;
    for (std::size_t k = 0; k < list.size(); ++k) {
        const std::uint32_t c = counts.count(list[k].lemma(), author);
        if (c == 0) {
            best = 0;
            zero_seen = true;
        } else if (c > best_count) {
            best_count = c;
            best = k;
        }
    }
    if (best > 0 && zero_seen && best_count < 200) {
        best = 0;
    }
    return best;
}

namespace {

bool replace_first_of(std::u16string& text, std::u16string_view needle,
                      std::u16string_view replacement) {
    const auto at = text.find(needle);
    if (at == std::u16string::npos) {
        return false;
    }
    text.replace(at, needle.size(), replacement);
    return true;
}

} // namespace

definition_found find_definition(std::u16string headword, const dictionary& dictionary) {
    definition_found found;
    while (true) {
        found.lsj_has_word = found.lsj_has_word ||
                             (fits_latin1(headword) &&
                              dictionary.lsj.has(std::string(headword.begin(), headword.end())));
        if (const auto it = dictionary.definitions.find(headword);
            it != dictionary.definitions.end()) {
            found.definition = &it->second;
            return found;
        }
        std::u16string shorter = headword;
        for (const auto* mark : {u"*", u"1", u"2", u"3"}) {
            replace_first_of(shorter, mark, u"");
        }
        if (shorter != headword) {
            headword = std::move(shorter);
            continue;
        }
        std::u16string respelled = headword;
        replace_first_of(respelled, u"th", u"q");
        replace_first_of(respelled, u"ph", u"f");
        replace_first_of(respelled, u"Th", u"Q");
        replace_first_of(respelled, u"Ph", u"F");
        if (respelled == headword) {
            return found;
        }
        headword = std::move(respelled);
    }
}

coverage_figures measure_coverage(const morphology_store& store, const text_word_counts& words,
                                  const frequency_table& counts, const dictionary& dictionary) {
    coverage_figures figures;
    figures.unstorable_tokens = words.unstorable_tokens;
    std::unordered_map<std::string, std::uint64_t> undefined;
    std::unordered_map<std::string, std::uint64_t> lsj_has_other;
    std::unordered_map<std::string, definition_found> found_cache;
    auto found_for = [&](std::string_view lemma) -> const definition_found& {
        auto cached = found_cache.find(std::string(lemma));
        if (cached == found_cache.end()) {
            cached = found_cache.emplace(lemma, find_definition(widen(lemma), dictionary)).first;
        }
        return cached->second;
    };
    for (const auto& w : words.words) {
        if (!has_greek_letter(w.key)) {
            // Numbers and other marks of the texts are no words to analyse.
            for (const auto t : w.tokens) {
                figures.non_greek_tokens += t;
            }
            continue;
        }
        const auto* list = store.find(w.key);
        std::uint64_t total = 0;
        for (std::size_t author = 0; author < author_slots; ++author) {
            const std::uint64_t t = w.tokens[author];
            if (t == 0) {
                continue;
            }
            total += t;
            auto& tally = figures.by_author[author];
            tally.tokens += t;
            if (list == nullptr) {
                continue;
            }
            tally.analysed += t;
            const auto lemma = (*list)[chosen_analysis(*list, counts, author)].lemma();
            if (found_for(lemma).definition != nullptr) {
                tally.defined += t;
            } else {
                undefined[std::string(lemma)] += t;
            }
            const auto first = list->front().lemma();
            const definition_found& shown = found_for(first);
            if (shown.definition == nullptr) {
                tally.first_none += t;
            } else if (shown.definition->kind == definition_kind::lsj_full) {
                tally.first_lsj_full += t;
            } else if (shown.definition->kind == definition_kind::composed) {
                tally.first_composed += t;
            } else {
                tally.first_other += t;
            }
            if (shown.lsj_has_word && (shown.definition == nullptr ||
                                       shown.definition->kind != definition_kind::lsj_full)) {
                tally.first_lsj_has_other += t;
                lsj_has_other[std::string(first)] += t;
            }
        }
        if (list == nullptr) {
            figures.unanalysed.emplace_back(w.key, total);
        }
    }
    auto most_first = [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    };
    std::sort(figures.unanalysed.begin(), figures.unanalysed.end(), most_first);
    figures.undefined.assign(undefined.begin(), undefined.end());
    std::sort(figures.undefined.begin(), figures.undefined.end(), most_first);
    figures.lsj_has_other.assign(lsj_has_other.begin(), lsj_has_other.end());
    std::sort(figures.lsj_has_other.begin(), figures.lsj_has_other.end(), most_first);
    return figures;
}

namespace {

double percent(std::uint64_t part, std::uint64_t whole) {
    return whole == 0 ? 0.0 : static_cast<double>(part) * 100.0 / static_cast<double>(whole);
}

coverage_figures::tally sum(const coverage_figures& f) {
    coverage_figures::tally all;
    for (const auto& t : f.by_author) {
        all.tokens += t.tokens;
        all.analysed += t.analysed;
        all.defined += t.defined;
        all.first_lsj_full += t.first_lsj_full;
        all.first_composed += t.first_composed;
        all.first_other += t.first_other;
        all.first_none += t.first_none;
        all.first_lsj_has_other += t.first_lsj_has_other;
    }
    return all;
}

// Of the analysed tokens, the shares whose first lemma shows each kind of definition.
nlohmann::json first_lemma_json(const coverage_figures::tally& t) {
    return {{"lsj_full_percent", percent(t.first_lsj_full, t.analysed)},
            {"composed_percent", percent(t.first_composed, t.analysed)},
            {"other_percent", percent(t.first_other, t.analysed)},
            {"none_percent", percent(t.first_none, t.analysed)},
            {"lsj_has_word_but_shows_other_tokens", t.first_lsj_has_other}};
}

} // namespace

double coverage_figures::overall_analysed_percent() const {
    const auto all = sum(*this);
    return percent(all.analysed, all.tokens);
}

double coverage_figures::overall_defined_percent() const {
    const auto all = sum(*this);
    return percent(all.defined, all.tokens);
}

nlohmann::json coverage_figures::to_json() const {
    nlohmann::json out;
    const auto all = sum(*this);
    out["overall"] = {{"tokens", all.tokens},
                      {"analysed_percent", percent(all.analysed, all.tokens)},
                      {"defined_percent", percent(all.defined, all.tokens)},
                      {"first_lemma_shows", first_lemma_json(all)}};
    out["tokens_without_storable_key"] = unstorable_tokens;
    out["tokens_without_greek_letters"] = non_greek_tokens;
    for (std::size_t author = 0; author < author_slots; ++author) {
        const auto& t = by_author[author];
        if (t.tokens == 0) {
            continue;
        }
        out["by_author"][std::to_string(author)] = {
            {"tokens", t.tokens},
            {"analysed_percent", percent(t.analysed, t.tokens)},
            {"defined_percent", percent(t.defined, t.tokens)},
            {"first_lemma_shows", first_lemma_json(t)}};
    }
    for (std::size_t i = 0; i < lsj_has_other.size() && i < 40; ++i) {
        out["first_lemmas_lsj_has_shown_otherwise"].push_back(
            {lsj_has_other[i].first, lsj_has_other[i].second});
    }
    return out;
}

nlohmann::json coverage_figures::unanalysed_json() const {
    std::uint64_t tokens = 0;
    for (const auto& [key, n] : unanalysed) {
        tokens += n;
    }
    nlohmann::json out = {{"distinct_keys", unanalysed.size()}, {"tokens", tokens}};
    for (std::size_t i = 0; i < unanalysed.size() && i < 40; ++i) {
        out["most_frequent"].push_back({unanalysed[i].first, unanalysed[i].second});
    }
    std::uint64_t undefined_tokens = 0;
    for (const auto& [lemma, n] : undefined) {
        undefined_tokens += n;
    }
    out["lemmas_without_definition"] = {{"distinct", undefined.size()},
                                        {"tokens", undefined_tokens}};
    for (std::size_t i = 0; i < undefined.size() && i < 40; ++i) {
        out["lemmas_without_definition"]["most_frequent"].push_back(
            {undefined[i].first, undefined[i].second});
    }
    return out;
}

} // namespace veso::corpus
