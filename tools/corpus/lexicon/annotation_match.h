#pragma once

#include "lexicon/morphology_analysis.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veso::corpus {

// A lemma as both annotators and the analyser can be compared on: capitals as small letters,
// grave as acute, without homograph digits, vowel-length marks, apostrophes or the analyser's
// "-pl" plural mark, with a preverb the analyser split off joined again.
std::string comparable_lemma(std::string_view beta);
// The same reduced to its letters: no accents, breathings, diaeresis or iota subscript.
std::string lemma_letters(std::string_view comparable);

// How well a 9-letter tag agrees with an analysis: +1 for each feature the tag gives that the
// analysis allows (part of speech, person, number, tense, mood, voice, gender, case, degree), -1
// for each it contradicts, 0 where the analysis says nothing of it.
int tag_agreement(std::string_view tag, const morphology_analysis& analysis);

// The analyses of a word form that an annotated lemma and tag name: those whose lemma is spelled
// alike (failing that, has the same letters), and of those the ones whose description agrees
// best with the tag. Empty when no analysis has the lemma.
std::vector<std::size_t> annotated_analyses(std::string_view lemma, std::string_view tag,
                                            const std::vector<morphology_analysis>& list);

} // namespace veso::corpus
