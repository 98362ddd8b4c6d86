#include "occurrences/typed_word.h"

#include "lexicon/string_edits.h"

#include <algorithm>
#include <array>
#include <map>
#include <mutex>

namespace veso::occurrences {

namespace {

bool is_space(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\u00A0';
}

bool is_beta_letter(char16_t c) {
    return c >= u'a' && c <= u'z';
}

bool is_beta_unit(char16_t c) {
    return is_beta_letter(c) || betaconverter::is_beta_mark(c) || c == u'*' || c == u'\'' ||
           (c >= u'0' && c <= u'9');
}

// Greek keyboards type the acute as tonos; the texts and the lexicon write it as oxia.
constexpr std::array<std::pair<char16_t, char16_t>, 14> tonos_to_oxia{{
    {u'\u03AC', u'\u1F71'},
    {u'\u03AD', u'\u1F73'},
    {u'\u03AE', u'\u1F75'},
    {u'\u03AF', u'\u1F77'},
    {u'\u03CC', u'\u1F79'},
    {u'\u03CD', u'\u1F7B'},
    {u'\u03CE', u'\u1F7D'},
    {u'\u0390', u'\u1FD3'},
    {u'\u03B0', u'\u1FE3'},
    {u'\u0386', u'\u1FBB'},
    {u'\u0388', u'\u1FC9'},
    {u'\u0389', u'\u1FCB'},
    {u'\u038A', u'\u1FDB'},
    {u'\u038C', u'\u1FF9'},
}};

// The Beta Code mark of a combining character, or 0.
char16_t combining_mark(char16_t c) {
    switch (c) {
    case u'\u0313':
    case u'\u0343':
        return u')';
    case u'\u0314':
        return u'(';
    case u'\u0301':
    case u'\u0341':
        return u'/';
    case u'\u0300':
    case u'\u0340':
        return u'\\';
    case u'\u0342':
        return u'=';
    case u'\u0308':
        return u'+';
    case u'\u0345':
        return u'|';
    default:
        return 0;
    }
}

// Vowel-length marks are not written in the lexicon.
bool is_length_mark(char16_t c) {
    return c == u'\u0304' || c == u'\u0306';
}

// Each precomposed letter of the converter by its Beta Code.
const std::map<wide_string, char16_t>& letters_by_beta(const betaconverter& converter) {
    static std::map<wide_string, char16_t> letters;
    static std::once_flag filled;
    std::call_once(filled, [&converter] {
        for (const auto& [unicode, beta] : converter.reverse_table()) {
            if (unicode.size() == 1) {
                letters.emplace(beta, unicode.front());
            }
        }
    });
    return letters;
}

// A letter followed by combining marks (as keyboards in decomposed form type them) becomes the
// precomposed letter with those marks, in whatever order they were typed.
wide_string composed(wide_string_view text, const betaconverter& converter) {
    const auto& letters = letters_by_beta(converter);
    wide_string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t base = text[i++];
        wide_string marks;
        while (i < text.size() && (combining_mark(text[i]) != 0 || is_length_mark(text[i]))) {
            if (combining_mark(text[i]) != 0) {
                marks += combining_mark(text[i]);
            }
            ++i;
        }
        const wide_string letter = converter.to_betacode(wide_string(1, base));
        if (marks.empty() || letter.empty() || !is_beta_letter(letter.back())) {
            out += base;
            out += marks;
            continue;
        }
        std::sort(marks.begin(), marks.end());
        bool found = false;
        do {
            // Capitals carry their marks between the "*" and the letter.
            const wide_string beta =
                letter.front() == u'*' ? u"*" + marks + letter.substr(1) : letter + marks;
            if (const auto it = letters.find(beta); it != letters.end()) {
                out += it->second;
                found = true;
                break;
            }
        } while (std::next_permutation(marks.begin(), marks.end()));
        if (!found) {
            out += base;
            out += marks;
        }
    }
    return out;
}

} // namespace

std::optional<wide_string> typed_word_key(wide_string_view typed, const betaconverter& converter) {
    while (!typed.empty() && is_space(typed.front())) {
        typed.remove_prefix(1);
    }
    while (!typed.empty() && is_space(typed.back())) {
        typed.remove_suffix(1);
    }
    wide_string key(typed);
    const bool ascii = std::all_of(key.begin(), key.end(), [](char16_t c) { return c < 0x80; });
    if (!ascii) {
        for (char16_t& c : key) {
            for (const auto& [tonos, oxia] : tonos_to_oxia) {
                if (c == tonos) {
                    c = oxia;
                }
            }
        }
        key = converter.to_betacode(composed(key, converter));
    }
    clean_clicked_word(key);
    if (key.empty() || !std::all_of(key.begin(), key.end(), is_beta_unit) ||
        std::none_of(key.begin(), key.end(), is_beta_letter)) {
        return std::nullopt;
    }
    return key;
}

} // namespace veso::occurrences
