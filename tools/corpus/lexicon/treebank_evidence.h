#pragma once

#include "greek/betaconverter.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veso::corpus {

// A word of running text whose reading a person has settled: which lemma it is and which form.
struct annotated_word {
    std::string key;   // the look-up key of the word's Greek letters, as the analyser was keyed
    std::string lemma; // Beta Code, as the annotators wrote it (their homograph digits kept)
    // Nine letters: part of speech, person, number, tense, mood, voice, gender, case, degree;
    // "-" where a feature does not apply.
    std::string tag;
};

// One annotated file (a treebank or a New Testament book), the unit that is held out whole when
// the readings are evaluated.
struct annotated_text {
    std::string name;
    int author = 0; // catalogue author number; 0 for texts by no catalogue author
    std::vector<annotated_word> words;
};

// The text's distinct annotated words (key, lemma and tag alike), each with how often it occurs,
// ordered by key, lemma and tag.
std::vector<std::pair<const annotated_word*, std::uint64_t>>
distinct_words(const annotated_text& text);

// A treebank file (<sentence> of <word form lemma postag>). Punctuation, ellipsis nodes, words
// without a lemma and the halves of words the annotators cut in two ("κ- ἄνω" for κἄνω, whose key
// is neither half's) are left out.
annotated_text read_treebank(std::string_view xml, std::string name,
                             const betaconverter& converter);

// A MorphGNT book ("ref POS parse text word normalized lemma" lines), author 44.
annotated_text read_morphgnt_book(std::string_view text, std::string name,
                                  const betaconverter& converter);

// Every *.xml treebank of the folder and every *-morphgnt.txt book of the other, by file name.
std::vector<annotated_text> read_annotated_texts(const std::filesystem::path& treebanks,
                                                 const std::filesystem::path& morphgnt,
                                                 const betaconverter& converter);

} // namespace veso::corpus
