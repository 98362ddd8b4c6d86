#include "lexicon/headword_check.h"

#include "common/unicode_text.h"

#include <unordered_set>

namespace veso::corpus {

namespace {

bool is_letter(char16_t c) {
    return c >= u'a' && c <= u'z';
}

bool is_mark(char16_t c) {
    return std::u16string_view(u")(/\\=+|*").find(c) != std::u16string_view::npos;
}

bool is_accent(char16_t c) {
    return c == u'/' || c == u'\\' || c == u'=' || c == u'+';
}

bool is_digit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::string narrow(std::u16string_view beta) {
    return to_utf8(beta);
}

} // namespace

std::string headword_letters(std::u16string_view beta) {
    std::string letters;
    for (const char16_t c : beta) {
        if (is_letter(c)) {
            letters += static_cast<char>(c);
        } else if (c >= u'A' && c <= u'Z') {
            letters += static_cast<char>(c - u'A' + u'a');
        }
    }
    return letters;
}

bool is_headword_key(std::u16string_view key) {
    std::size_t end = key.size();
    while (end > 0 && is_digit(key[end - 1])) {
        --end;
    }
    bool letter = false;
    for (std::size_t i = 0; i < end; ++i) {
        if (is_letter(key[i])) {
            letter = true;
        } else if (!is_mark(key[i])) {
            return false;
        }
    }
    return letter;
}

namespace {

// A shown headword up to its first comma, without what editions add to a word: editorial and
// metrical marks ("<*>", "[ ]", "_", "^"), letters it may lack ("ou(/tw(s)"), spaces around
// the hyphens that divide it ("a)po - pnei/w").
std::u16string bare_headword(std::u16string_view shown) {
    std::u16string text(shown.substr(0, shown.find(u',')));
    for (std::size_t at; (at = text.find(u"<*>")) != std::u16string::npos;) {
        text.erase(at, 3);
    }
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'(' && i > 0 &&
            (is_letter(text[i - 1]) || is_accent(text[i - 1]) || text[i - 1] == u'|')) {
            // "(s)" after a letter or accent: one or two letters the word may lack. A rough
            // breathing is followed by an accent or a longer run before any ")".
            std::size_t end = i + 1;
            std::size_t letters = 0;
            while (end < text.size() && (is_letter(text[end]) || is_accent(text[end]))) {
                letters += is_letter(text[end]) ? 1 : 0;
                ++end;
            }
            if (end < text.size() && text[end] == u')' && letters >= 1 && letters <= 2 &&
                is_letter(text[i + 1])) {
                i = end;
                continue;
            }
        }
        if (c == u'<' || c == u'>' || c == u'[' || c == u']' || c == u'_' || c == u'^') {
            continue;
        }
        if (c == u'-' && out.ends_with(u' ') && i + 1 < text.size() && text[i + 1] == u' ') {
            out.pop_back();
            out += u'-';
            ++i;
            continue;
        }
        out += (c == u'\n' || c == u'\t' || c == u'\r') ? u' ' : c;
    }
    return out;
}

} // namespace

std::vector<std::u16string> shown_headword_words(std::u16string_view shown) {
    std::vector<std::u16string> words;
    const std::u16string head = bare_headword(shown);
    std::size_t i = 0;
    while (i < head.size()) {
        const auto space = head.find(u' ', i);
        const std::u16string_view token = std::u16string_view(head).substr(
            i, space == std::u16string::npos ? std::u16string::npos : space - i);
        i = space == std::u16string::npos ? head.size() : space + 1;
        std::u16string word;
        bool ending = false;
        for (const char16_t c : token) {
            if (c == u'-') {
                ending = ending || word.empty();
            } else if (is_letter(c) || is_mark(c)) {
                word += c;
            } else if (is_digit(c) || (c >= u'A' && c <= u'Z')) {
                // Sigla ("T", "Tr.") and numbers are no part of a Greek headword.
                word.clear();
                break;
            }
        }
        if (!ending && !headword_letters(word).empty()) {
            words.push_back(std::move(word));
        }
    }
    return words;
}

void check_headwords(const char* source, std::vector<source_entry>& entries,
                     headword_checks& checks) {
    std::vector<source_entry> kept;
    kept.reserve(entries.size());
    std::unordered_set<std::u16string> keys;
    for (auto& e : entries) {
        std::u16string key;
        for (const char16_t c : e.headword) {
            if (c != u'-') {
                key += c;
            }
        }
        const auto shown = shown_headword_words(e.shown_headword);
        const bool key_usable = is_headword_key(key);
        const std::string key_letters = headword_letters(key);
        const std::string shown_letters = shown.empty() ? key_letters : headword_letters(shown[0]);
        // A headword shown divided ("a)po pi/ptw", "e)n -iau/w") matches with its parts joined,
        // one with letters it may lack ("ou(/tw(s)") with or without them.
        const std::u16string_view head =
            std::u16string_view(e.shown_headword).substr(0, e.shown_headword.find(u','));
        const bool matches = shown_letters == key_letters ||
                             headword_letters(bare_headword(head)) == key_letters ||
                             headword_letters(head) == key_letters;
        if (!key_usable || !matches) {
            // A key that is no word yields to a headword of one word, keeping its homograph digit;
            // so does a key that the headword shown extends (a key cut short). A key naming
            // another word than the one shown cannot tell which of the two is right.
            const bool shown_usable = shown.size() == 1 && is_headword_key(shown[0]);
            if (shown_usable && (!key_usable || shown_letters.starts_with(key_letters))) {
                std::u16string rekeyed = shown[0];
                if (!key_usable && !is_digit(rekeyed.back())) {
                    const auto digits = key.find_last_not_of(u"0123456789") + 1;
                    rekeyed += key.substr(digits);
                }
                checks.rekeyed.push_back({source, narrow(e.headword), narrow(rekeyed)});
                key = std::move(rekeyed);
            } else {
                checks.dropped.push_back({source, narrow(e.headword),
                                          shown.size() > 1 ? "headword of several words"
                                          : key_usable     ? "key and headword differ"
                                                           : "key is no word"});
                continue;
            }
        }
        if (!keys.insert(key).second) {
            checks.dropped.push_back({source, narrow(key), "second entry under its key"});
            continue;
        }
        e.headword = std::move(key);
        kept.push_back(std::move(e));
    }
    entries = std::move(kept);
}

} // namespace veso::corpus
