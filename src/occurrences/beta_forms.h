#pragma once

#include "greek/wide_string.h"

#include <vector>

namespace veso::occurrences {

// A Beta Code key in lower case: each "*" goes, and the breathing and accent marks between it and
// its letter follow the letter, as they do in lower case ("*)/anqrwpos" -> "a)/nqrwpos"). A word
// capitalised at the start of a sentence or verse is the same form as in the middle.
wide_string lower_case_form(wide_string_view key);

// What a typed lemma is matched by: its lower-case form without homograph digits, so "ei)mi/"
// finds every headword spelt so.
wide_string lemma_match_form(wide_string_view lemma);

// The distinct lemmas of a morphology string's analyses, in its order. The lemma of an analysis
// is the last of its comma-separated headwords, as the text view reads it; a string that is no
// analysis (an unknown word comes back as itself) has none.
std::vector<wide_string> analysis_lemmas(wide_string_view morphology);

} // namespace veso::occurrences
