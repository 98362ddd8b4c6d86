#include "lexicon/lexicon.h"
#include "lexicon/lexicon_state.h"
#include "lexicon/neighbour_walk.h"
#include "lexicon/string_edits.h"

#include <array>
#include <climits>

namespace veso {

namespace {

const wide_string unknown = u"?";

} // namespace

std::array<wide_string, 3> lexicon::analyse_word(const wide_string& word, bool clean) const {
    // Read the flag first: once it is set, the table taken below is the complete one.
    bool ready = morphology_ready();
    auto table = impl_->morphology.get();
    wide_string asked = word;
    while (true) {
        wide_string key = asked;
        if (clean) {
            clean_clicked_word(key);
        }
        if (auto at = table->position_of(key)) {
            const table_record& found = (*table)[*at];
            if (!ready) {
                return {wide_string(found.value), unknown, unknown};
            }
            std::size_t before = *at > 0 ? *at - 1 : *at;
            std::size_t after = *at + 1 < table->size() ? *at + 1 : *at;
            return {wide_string(found.value), wide_string((*table)[before].key),
                    wide_string((*table)[after].key)};
        }
        // A capital the table holds only in lower case: try again without the first "*".
        if (!replace_first(key, u"*", u"")) {
            return {asked, unknown, unknown};
        }
        asked = std::move(key);
    }
}

wide_string lexicon::analysis_of(const wide_string& word) const {
    auto table = impl_->morphology.get();
    wide_string asked = word;
    while (true) {
        wide_string key = asked;
        clean_clicked_word(key);
        if (auto analysis = table->find(key)) {
            return wide_string(*analysis);
        }
        if (!replace_first(key, u"*", u"")) {
            return asked;
        }
        asked = std::move(key);
    }
}

std::array<wide_string, 2> lexicon::morphology_neighbours(const wide_string& word) const {
    std::size_t length = 1;
    if (!word.empty()) {
        switch (word[0]) {
        case u'(':
        case u')':
        case u'*':
        case u'/':
        case u'\\':
            length = 2;
            break;
        default:
            break;
        }
    }
    return neighbour_walk(*impl_->morphology.get(), word, length, false);
}

int lexicon::frequency_field(const wide_string& headword, unsigned n) const {
    // Authors 1 to 44 (Sappho is 38, the Bible 44); files with fewer fields give 0 past their end.
    constexpr unsigned last_field = 44;
    if (n == 0 || n > last_field) {
        return 0;
    }
    auto table = impl_->frequency.get();
    auto counts = table->find(headword);
    if (!counts || counts->empty()) {
        return 0;
    }
    wide_string_view text = *counts;
    std::size_t at = 0;
    for (unsigned commas = 1; commas < n; ++commas) {
        at = text.find(u',', at);
        if (at == wide_string_view::npos) {
            return 0;
        }
        ++at;
    }
    // Read like the run-time library's decimal conversion: white space, a sign, digits.
    auto is_space = [](char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    while (at < text.size() && is_space(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        negative = text[at] == u'-';
        ++at;
    }
    long long value = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        value = value * 10 + (text[at] - u'0');
        if (value > INT_MAX) {
            value = INT_MAX;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

wide_string lexicon::alphabetical_sort_key(const wide_string& headword) {
    wide_string text;
    text.reserve(headword.size());
    for (char16_t c : headword) {
        if (c != u'\\' && c != u'/') {
            text += c;
        }
    }
    for (char16_t mark : {u')', u'(', u'+', u'=', u'|', u'*'}) {
        replace_first(text, wide_string_view(&mark, 1), u"");
    }
    constexpr std::size_t longest = 40;
    if (text.size() > longest) {
        return {};
    }
    // The Greek alphabet in Beta Code order gets 1-9 and A-O; anything else sorts after omega.
    static constexpr wide_string_view letters = u"abgdezhqiklmncoprstufxyw";
    static constexpr wide_string_view keys = u"123456789ABCDEFGHIJKLMNO";
    for (char16_t& c : text) {
        std::size_t at = letters.find(c);
        c = at == wide_string_view::npos ? u'P' : keys[at];
    }
    return text;
}

} // namespace veso
