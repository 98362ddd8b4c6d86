#include "occurrences/vocabulary.h"

#include "lexicon/lexicon.h"
#include "occurrences/shown_lemma.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace veso::occurrences {

namespace {

wide_string number_text(double value) {
    const std::string digits = std::to_string(static_cast<long long>(std::llround(value)));
    return wide_string(digits.begin(), digits.end());
}

// A CSV field, quoted when it holds a comma, a quote or a line end.
wide_string csv_field(const wide_string& text) {
    if (text.find_first_of(u",\"\r\n") == wide_string::npos) {
        return text;
    }
    wide_string quoted = u"\"";
    for (const char16_t c : text) {
        quoted += c;
        if (c == u'"') {
            quoted += u'"';
        }
    }
    return quoted + u"\"";
}

// Tabs and line ends would split a card.
wide_string card_field(wide_string text) {
    std::replace_if(
        text.begin(), text.end(), [](char16_t c) { return c == u'\t' || c == u'\r' || c == u'\n'; },
        u' ');
    return text;
}

} // namespace

vocabulary_list::vocabulary_list(const occurrence_index& index, std::size_t leaf,
                                 const betaconverter& converter) {
    if (leaf >= index.leaves().size()) {
        return;
    }
    author_ = index.leaves()[leaf].author;
    std::unordered_map<std::uint32_t, std::size_t> row_of_lemma;
    for (const occurrence_index::leaf_token& t : index.tokens_of_leaf(leaf)) {
        ++tokens_;
        const auto lemmas = index.lemmas_of_key(t.key);
        if (lemmas.empty()) {
            ++unanalysed_;
            continue;
        }
        const std::uint32_t lemma = lemmas[index.likeliest_place(t.key, author_)];
        const auto [it, added] = row_of_lemma.try_emplace(lemma, rows_.size());
        if (added) {
            vocabulary_row row;
            row.lemma = lemma;
            row.beta = index.lemma(lemma);
            row.greek = shown_lemma(row.beta, converter);
            row.in_author = index.lemma_count_in(lemma, author_);
            row.first_word = tokens_;
            row.first_position = t.position;
            rows_.push_back(std::move(row));
        }
        ++rows_[it->second].in_section;
    }
    if (rows_.empty()) {
        return;
    }
    // Ranks in the author: every lemma with a count there, most frequent first.
    std::vector<std::pair<double, std::uint32_t>> counted;
    for (std::uint32_t l = 0; l < index.lemma_count(); ++l) {
        const double count = index.lemma_count_in(l, author_);
        if (count > 0) {
            counted.emplace_back(count, l);
        }
    }
    std::sort(counted.begin(), counted.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::unordered_map<std::uint32_t, std::uint32_t> rank;
    rank.reserve(counted.size());
    for (std::uint32_t r = 0; r < counted.size(); ++r) {
        rank.emplace(counted[r].second, r);
    }
    for (vocabulary_row& row : rows_) {
        const auto found = rank.find(row.lemma);
        row.author_rank =
            found == rank.end() ? static_cast<std::uint32_t>(counted.size()) : found->second;
    }
}

std::vector<vocabulary_row> vocabulary_list::rows(vocabulary_order order, std::uint32_t skip_common,
                                                  const gloss_source& gloss_of) const {
    std::vector<vocabulary_row> shown;
    for (const vocabulary_row& row : rows_) {
        if (row.author_rank >= skip_common) {
            shown.push_back(row);
        }
    }
    switch (order) {
    case vocabulary_order::first_appearance:
        break;
    case vocabulary_order::author_frequency:
        std::stable_sort(shown.begin(), shown.end(), [](const auto& a, const auto& b) {
            return a.author_rank < b.author_rank;
        });
        break;
    case vocabulary_order::alphabetical: {
        std::vector<std::pair<wide_string, std::size_t>> keys;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            keys.emplace_back(
                lexicon::alphabetical_sort_key(shown[i].beta) + u"\uFFFF" + shown[i].beta, i);
        }
        std::sort(keys.begin(), keys.end());
        std::vector<vocabulary_row> sorted;
        for (const auto& [key, i] : keys) {
            sorted.push_back(std::move(shown[i]));
        }
        shown = std::move(sorted);
        break;
    }
    }
    if (gloss_of) {
        for (vocabulary_row& row : shown) {
            row.gloss = gloss_of(row.beta);
        }
    }
    return shown;
}

wide_string vocabulary_csv(const std::vector<vocabulary_row>& rows) {
    wide_string out = u"lemma,greek,in_section,in_author,gloss,first_word\r\n";
    for (const vocabulary_row& row : rows) {
        out += csv_field(row.beta) + u',' + csv_field(row.greek) + u',' +
               number_text(row.in_section) + u',' + number_text(row.in_author) + u',' +
               csv_field(row.gloss) + u',' + number_text(row.first_word) + u"\r\n";
    }
    return out;
}

wide_string vocabulary_flash_cards(const std::vector<vocabulary_row>& rows) {
    wide_string out;
    for (const vocabulary_row& row : rows) {
        out += card_field(row.greek) + u'\t' + card_field(row.gloss) + u'\n';
    }
    return out;
}

} // namespace veso::occurrences
