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

// How well a 9-letter tag agrees with an analysis: +1 for each feature the tag gives that the
// analysis allows (person, number, tense, mood, voice, gender, case, degree), -1 for each it
// contradicts, 0 where the analysis says nothing of it; the part of speech counts +1 for the
// marker it names, 0 for a marker the analyser may use instead (a particle for an adverb) and
// -1 for any other.
int tag_agreement(std::string_view tag, const morphology_analysis& analysis);

// The analyses of a word form that an annotated lemma and tag name: those whose lemma is spelled
// alike; failing that, has the same letters; failing that, is the same word under the other
// convention (a suppletive form filed under its base word, a deponent's middle against its
// active, a spelling one letter apart); and of those the ones whose description agrees best
// with the tag. Empty when no analysis has the lemma.
std::vector<std::size_t> annotated_analyses(std::string_view lemma, std::string_view tag,
                                            const std::vector<morphology_analysis>& list);

} // namespace veso::corpus
