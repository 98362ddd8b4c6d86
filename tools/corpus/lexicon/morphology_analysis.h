#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veso::corpus {

// One analysis of a word form as the morphology file stores it:
// marker, space, headword list, description (leading and trailing space), tab, notes.
struct morphology_analysis {
    char marker = 'N';       // N noun, E adjective/pronoun/article, P participle, V verb,
                             // D adverb, S preposition, C conjunction, X particle, I interjection
    std::string headwords;   // comma-separated Beta Code; the last one is the dictionary headword
    std::string description; // " masc nom sg "; cases and voices as separate words
    std::string notes;       // shown nowhere; kept for whoever reads the file

    std::string_view lemma() const;
    void set_lemma(std::string_view lemma);
    std::string serialise() const;
};

// Joins analyses with U+0003 as the morphology value; stops before the value would pass
// max_length characters and reports how many analyses were dropped.
std::string morphology_value(const std::vector<morphology_analysis>& analyses,
                             std::size_t max_length, std::size_t& dropped);

// Headword spelling shared by every file: no vowel-length marks ("_", "^"), acute for grave.
std::string normalise_headword(std::string_view beta);

// Parses the analyser's output for one word form (<NL>...</NL> blocks). Blocks that do not have
// the analyser's shape are skipped.
std::vector<morphology_analysis> parse_analyser_output(std::string_view blocks);

// The description vocabulary: the analyser's words with "imperf" written "ipf" and "imperat"
// "ipv", so that the voice words are the only ones containing "act", "mp", "mid" or "pass".
std::string translate_description_word(std::string_view word);

} // namespace veso::corpus
