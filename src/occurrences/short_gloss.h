#pragma once

#include "greek/betaconverter.h"
#include "greek/wide_string.h"

namespace veso::occurrences {

// A few words of English for a vocabulary list, taken from a definition in the lexicon's markup:
// a short definition (sources S, M and G) as far as the fuller entry that may follow it in another
// type style; the first translation of a full entry, which LSJ prints in bold, Abbott-Smith and
// Autenrieth in italics and Dodson in plain type after the headword; else the definition's text
// without markup. Greek spans are converted; sense
// labels ("A.", "I.", "1.", "(a)") and closing punctuation go; at most about 80 characters.
wide_string short_gloss(wide_string_view definition, const betaconverter& converter);

} // namespace veso::occurrences
