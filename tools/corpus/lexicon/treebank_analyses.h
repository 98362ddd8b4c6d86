#pragma once

#include "common/treebank.h"
#include "greek/betaconverter.h"
#include "lexicon/morphology_analysis.h"

#include <map>
#include <string>
#include <vector>

namespace veso::corpus {

// A treebank word's own lemma and tag as an analysis in the morphology file's format ("N
// a)frodi/th fem voc sg"), under the look-up key of the word as the texts write it. False for
// punctuation, damaged words and words without lemma or tag.
bool treebank_analysis(const treebank_word& word, const betaconverter& converter, std::string& key,
                       morphology_analysis& analysis);

// Every distinct analysis per key over the sentences.
std::map<std::string, std::vector<morphology_analysis>>
treebank_analyses(const std::vector<treebank_sentence>& sentences, const betaconverter& converter);

} // namespace veso::corpus
