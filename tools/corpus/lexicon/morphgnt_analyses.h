#pragma once

#include "greek/betaconverter.h"
#include "lexicon/morphology_analysis.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace veso::corpus {

// One line of MorphGNT ("ref POS parse text word normalized lemma") as an analysis of its word.
struct morphgnt_word {
    std::string key; // look-up key of the word
    morphology_analysis analysis;
    // The line's own part-of-speech and parse codes ("V-", "3AAI-S--"), views into the line.
    std::string_view part_of_speech;
    std::string_view parse;
};

// Parses one line; false for lines that are not MorphGNT words.
bool parse_morphgnt_line(std::string_view line, const betaconverter& converter,
                         morphgnt_word& word);

// Every distinct analysis per key over the given file texts.
std::map<std::string, std::vector<morphology_analysis>>
read_morphgnt(const std::vector<std::string>& file_texts, const betaconverter& converter);

// The look-up key of a word form as the program makes it: Beta Code, cleaned like a clicked
// word. Only ISO 8859-1 keys can be stored; others come back empty.
std::string lookup_key(std::u16string_view word, const betaconverter& converter);

} // namespace veso::corpus
