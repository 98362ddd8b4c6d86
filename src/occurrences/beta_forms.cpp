#include "occurrences/beta_forms.h"

#include <algorithm>

namespace veso::occurrences {

namespace {

bool is_mark(char16_t c) {
    return c == u')' || c == u'(' || c == u'/' || c == u'\\' || c == u'=' || c == u'+' || c == u'|';
}

} // namespace

wide_string lower_case_form(wide_string_view key) {
    wide_string out;
    out.reserve(key.size());
    std::size_t i = 0;
    while (i < key.size()) {
        if (key[i] != u'*') {
            out += key[i++];
            continue;
        }
        std::size_t letter = i + 1;
        while (letter < key.size() && is_mark(key[letter])) {
            ++letter;
        }
        if (letter < key.size() && key[letter] != u'*') {
            out += key[letter];
            out.append(key.substr(i + 1, letter - i - 1));
            i = letter + 1;
        } else {
            out.append(key.substr(i + 1, letter - i - 1));
            i = letter;
        }
    }
    return out;
}

wide_string lemma_match_form(wide_string_view lemma) {
    wide_string form = lower_case_form(lemma);
    std::erase_if(form, [](char16_t c) { return c >= u'0' && c <= u'9'; });
    return form;
}

std::vector<wide_string> analysis_lemmas(wide_string_view s) {
    std::vector<wide_string> lemmas;
    std::size_t pos = 0;
    while (true) {
        const std::size_t space = s.find(u' ', pos);
        if (space == wide_string_view::npos || space == s.size() - 1) {
            return lemmas;
        }
        pos = std::min(pos + 2, s.size());
        std::size_t end = s.find(u' ', pos);
        if (end == wide_string_view::npos) {
            end = s.size();
        }
        wide_string lemma;
        for (std::size_t i = pos; i < end; ++i) {
            if (s[i] == u',') {
                lemma.clear();
            } else {
                lemma += s[i];
            }
        }
        if (!lemma.empty() && std::find(lemmas.begin(), lemmas.end(), lemma) == lemmas.end()) {
            lemmas.push_back(std::move(lemma));
        }
        const std::size_t next = s.find(u'\u0003', end);
        if (next == wide_string_view::npos) {
            return lemmas;
        }
        pos = next + 1;
    }
}

} // namespace veso::occurrences
