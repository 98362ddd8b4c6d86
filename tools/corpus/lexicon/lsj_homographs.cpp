#include "lexicon/lsj_homographs.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace veso::corpus {

std::string without_homograph_digits(std::string_view headword) {
    std::string out;
    out.reserve(headword.size());
    for (const char c : headword) {
        if (!(c >= '0' && c <= '9')) {
            out += c;
        }
    }
    return out;
}

namespace {

// Words of an entry's opening that name a word class, in LSJ's abbreviations.
constexpr std::array<std::pair<std::u16string_view, char>, 11> class_words{{
    {u"Adv.", 'D'},
    {u"Prep.", 'S'},
    {u"Conj.", 'C'},
    {u"Particle", 'X'},
    {u"Interj.", 'I'},
    {u"Interject.", 'I'},
    {u"exclamation", 'I'},
    {u"Pron.", 'E'},
    {u"Adj.", 'E'},
    {u"Article", 'E'},
    {u"Article.", 'E'},
}};

std::u16string_view without_trailing_punctuation(std::u16string_view token) {
    while (!token.empty() && (token.back() == u',' || token.back() == u':' ||
                              token.back() == u';' || token.back() == u')')) {
        token.remove_suffix(1);
    }
    return token;
}

// Greek tokens after the headword that show its class: the article of a noun, the neuter ending
// of an adjective.
char class_of_greek(std::u16string_view token) {
    token = without_trailing_punctuation(token);
    if (!token.empty() && token.back() == u'.') {
        token.remove_suffix(1);
    }
    if (token == u"o(" || token == u"h(" || token == u"to/" || token == u"oi(" || token == u"ai(" ||
        token == u"ta/") {
        return 'N';
    }
    if (token == u"on" || token == u"o/n" || token == u"ou=n" || token == u"es" || token == u"u/") {
        return 'E';
    }
    return 0;
}

} // namespace

char entry_word_class(std::string_view key, std::u16string_view definition) {
    // The opening, after "[L] "; the first Greek span (the headword and its forms) says nothing.
    const std::u16string_view opening =
        definition.substr(definition.starts_with(u"[") ? 4 : 0).substr(0, 300);
    bool in_greek = false;
    bool headword_seen = false;
    // LSJ cites Apollonius Dyscolus' works as "A.D. Pron.", "A.D. Adv.", "A.D. Conj.": the word
    // after "A.D." names a book, not the entry's class.
    bool after_citation = false;
    std::size_t i = 0;
    while (i < opening.size()) {
        if (opening.compare(i, 3, u"<G>") == 0) {
            in_greek = true;
            i += 3;
            continue;
        }
        if (opening.compare(i, 4, u"</G>") == 0) {
            in_greek = false;
            headword_seen = true;
            i += 4;
            continue;
        }
        if (opening[i] == u'<' && i + 2 < opening.size() && opening[i + 2] == u'>') {
            i += 3;
            continue;
        }
        if (opening[i] == u' ') {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < opening.size() && opening[end] != u' ' && opening[end] != u'<') {
            ++end;
        }
        const std::u16string_view token = without_trailing_punctuation(opening.substr(i, end - i));
        i = end;
        if (in_greek) {
            if (headword_seen) {
                if (const char c = class_of_greek(token)) {
                    return c;
                }
            }
            continue;
        }
        headword_seen = headword_seen || std::any_of(token.begin(), token.end(), [](char16_t c) {
                            return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
                        });
        const bool cited_book = after_citation;
        after_citation = token == u"A.D.";
        if (cited_book) {
            continue;
        }
        for (const auto& [word, word_class] : class_words) {
            if (token == word) {
                return word_class;
            }
        }
    }
    const std::string bare = without_homograph_digits(key);
    for (const std::string_view ending : {"w", "w=", "mai", "mi"}) {
        if (bare.ends_with(ending)) {
            return 'V';
        }
    }
    return 0;
}

void lsj_homographs::add(std::string key, std::u16string_view definition, bool one_word) {
    const char word_class = entry_word_class(key, definition);
    auto& list = by_spelling_[without_homograph_digits(key)];
    list.push_back({std::move(key), word_class, one_word, definition.size()});
}

bool lsj_homographs::has(std::string_view headword) const {
    return by_spelling_.contains(without_homograph_digits(headword));
}

namespace {

// How well an entry's class fits an analysis's marker: 2 the same class, 1 a class the marker
// may stand for or no class shown, 0 another class.
int fit(char marker, char word_class) {
    const char wanted = marker == 'P' ? 'V' : marker;
    if (word_class == 0) {
        return 1;
    }
    if (word_class == wanted) {
        return 2;
    }
    constexpr std::array<std::u16string_view, 3> kin{u"NE", u"DCXS", u"DCXI"};
    for (const auto group : kin) {
        if (group.find(static_cast<char16_t>(wanted)) != std::u16string_view::npos &&
            group.find(static_cast<char16_t>(word_class)) != std::u16string_view::npos) {
            return 1;
        }
    }
    return 0;
}

} // namespace

std::optional<std::string> lsj_homographs::key_for(std::string_view lemma, char marker) const {
    const auto it = by_spelling_.find(without_homograph_digits(lemma));
    if (it == by_spelling_.end()) {
        return std::nullopt;
    }
    const auto& list = it->second;
    for (const auto& h : list) {
        if (h.key == lemma) {
            return h.key;
        }
    }
    const auto best = std::max_element(list.begin(), list.end(), [&](const auto& a, const auto& b) {
        return std::make_tuple(fit(marker, a.word_class), a.one_word, a.length) <
               std::make_tuple(fit(marker, b.word_class), b.one_word, b.length);
    });
    return best->key;
}

} // namespace veso::corpus
