#pragma once

#include "greek/betaconverter.h"
#include "lexicon/build_lexicon.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace veso::corpus {

// Author numbers run from 1 to 44; 0 collects words of passages filed under other numbers.
inline constexpr std::size_t author_slots = 45;

// The distinct look-up keys of a set of texts, with token counts per author.
struct text_word_counts {
    struct entry {
        std::string key;          // as the program looks the word up
        std::string analysis_key; // the key of the word's Greek letters alone (for the analyser)
        std::array<std::uint32_t, author_slots> tokens{};
    };
    std::vector<entry> words;
    std::uint64_t unstorable_tokens = 0; // keys with characters beyond ISO 8859-1, or too long
    // Left out: tokens that are no Greek word (numbers, markers, notices' English, punctuation
    // left over) and tokens of bold labels (speakers, headings).
    std::uint64_t non_word_tokens = 0;
    std::uint64_t non_word_keys = 0; // distinct keys those tokens would have had
    std::uint64_t label_tokens = 0;
};

// What a painted word of a built text is to the lexicon.
enum class text_token {
    word,   // its look-up text ends within 80 characters
    label,  // a word of a bold label (a speaker, a heading), from "²" to "³"
    no_end, // its look-up text has no end within 80 characters
};

// Calls visit(start, word, kind) for every painted word of text that starts in [begin, end), cut
// as the text view cuts it: a painted word runs between spaces, carriage returns and zero units;
// its look-up text runs from its start to the first space, carriage return or "³" within 80
// characters, that one included (empty for no_end).
template <class Visit>
void for_each_text_word(std::u16string_view text, std::size_t begin, std::size_t end,
                        Visit&& visit) {
    bool in_label = false; // between "²" and "³"
    std::size_t i = begin;
    while (i < end && i < text.size()) {
        const char16_t c = text[i];
        if (c == u' ' || c == u'\r' || c == 0) {
            ++i;
            continue;
        }
        std::size_t painted_end = i;
        while (painted_end < text.size() && text[painted_end] != u' ' &&
               text[painted_end] != u'\r' && text[painted_end] != 0) {
            ++painted_end;
        }
        std::size_t n = 0;
        while (n < 80 && i + n < text.size() && text[i + n] != u' ' && text[i + n] != u'\r' &&
               text[i + n] != 0xB3) {
            ++n;
        }
        const std::u16string_view painted = text.substr(i, painted_end - i);
        std::u16string_view word;
        if (n < 80 && i + n < text.size()) {
            word = text.substr(i, n + 1);
        }
        const bool label = in_label || painted.front() == u'\u00B2';
        in_label = label && painted.find(u'\u00B3') == std::u16string_view::npos;
        visit(i, word,
              label          ? text_token::label
              : word.empty() ? text_token::no_end
                             : text_token::word);
        i = painted_end;
    }
}

// Latin letters and digits belong to notices and markers, brackets to markers and to the lost
// letters of damaged words ("]αλ["), and letters on both sides of a mark to words run together
// ("λόγος;γ", "μετ’αὐτοῦ"; the comma of ὅ,τι aside): none of these is one Greek word.
bool is_no_text_word(std::u16string_view word);

// Whether a look-up key is the Beta Code of a Greek word: letters with their marks, capitals
// written "*" and marks before the letter; no digit, Latin-only letter or punctuation. Letters
// of the Greek blocks that Beta Code lacks (ϝ) pass as letters.
bool is_word_key(std::u16string_view key);
bool is_word_key(std::string_view key);

// The words of built passages, cut as the text view cuts them: runs between spaces and carriage
// returns, at most 80 characters, ending at a "³". Each key is the Beta Code of the word with its
// ending character, cleaned as a clicked word is. Only Greek words are kept: bold labels and
// tokens whose key is no word key, or that hold a Latin letter or digit, are counted apart.
text_word_counts count_text_words(std::span<const authored_text> texts,
                                  const betaconverter& converter);

// The same from the analyser's word list (key, author label, count), for building without texts.
text_word_counts count_listed_words(std::string_view forms_by_author);

// The catalogue author number of an analyser author label ("tlg0059" Plato = 25, "tlg0009"
// Sappho = 38, "old-oligarch" = 27, "NT" and "LXX" = 44); 0 for labels that are left out.
int author_number_of_label(std::string_view label);

// The Greek letters of a text word as the analyser's key was cut: brackets and under-dots
// dropped, the first run of Greek letters and marks, an elision mark dropped.
std::u16string analyser_word(std::u16string_view word);

} // namespace veso::corpus
