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
