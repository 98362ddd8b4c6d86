#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace veso::corpus {

// The word class an LSJ entry's opening shows, as the analyses' markers name classes: "N" a noun
// (an article after the headword), "E" an adjective or pronoun, "V" a verb, "D" an adverb, "S" a
// preposition, "C" a conjunction, "X" a particle, "I" an interjection; 0 when it shows none.
char entry_word_class(std::string_view key, std::u16string_view definition);

// LSJ's full entries by spelling, for writing each analysis lemma as LSJ keys the word it means.
class lsj_homographs {
public:
    // An entry under its key (Beta Code, perhaps with a homograph digit). one_word: its headword is
    // a word, not a phrase such as "kai/ nu/" (keyed "kai/2").
    void add(std::string key, std::u16string_view definition, bool one_word);

    // Whether LSJ has an entry with this spelling, whatever its homograph digit.
    bool has(std::string_view headword) const;

    // The key of the LSJ entry an analysis means: its lemma when LSJ has that very key; else,
    // of the entries spelt as the lemma (homograph digits aside), the one whose word class fits
    // the analysis's marker, a word before a phrase, then the longest. Nothing when LSJ has no
    // entry spelt so.
    std::optional<std::string> key_for(std::string_view lemma, char marker) const;

private:
    struct homograph {
        std::string key;
        char word_class;
        bool one_word;
        std::size_t length;
    };
    std::unordered_map<std::string, std::vector<homograph>> by_spelling_;
};

// A headword without its homograph digits.
std::string without_homograph_digits(std::string_view headword);

} // namespace veso::corpus
