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
};

// Calls visit(start, word) for every word of text that starts in [begin, end), cut as the text
// view cuts it: a painted word runs between spaces, carriage returns and zero units; its look-up
// text runs from its start to the first space, carriage return or "³" within 80 characters, that
// one included, and is empty when there is none.
template <class Visit>
void for_each_text_word(std::u16string_view text, std::size_t begin, std::size_t end,
                        Visit&& visit) {
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
        std::u16string_view word;
        if (n < 80 && i + n < text.size()) {
            word = text.substr(i, n + 1);
        }
        visit(i, word);
        i = painted_end;
    }
}

// The words of built passages, cut by for_each_text_word. Each key is the Beta Code of the word
// with its ending character, cleaned as a clicked word is.
text_word_counts count_text_words(std::span<const authored_text> texts,
                                  const betaconverter& converter);

// The same from the analyser's word list (key, author label, count), for building without texts.
text_word_counts count_listed_words(std::string_view forms_by_author);

// The catalogue author number of an analyser author label ("tlg0059" Plato = 25; "NT" and
// "LXX" = 44); 0 for labels that are left out.
int author_number_of_label(std::string_view label);

// The Greek letters of a text word as the analyser's key was cut: brackets and under-dots
// dropped, the first run of Greek letters and marks, an elision mark dropped.
std::u16string analyser_word(std::u16string_view word);

} // namespace veso::corpus
