#pragma once

#include "greek/betaconverter.h"
#include "greek/wide_string.h"

namespace veso::occurrences {

// A lemma as the search windows, the vocabulary's exports and the command line show it: in Greek,
// with a homograph's number (the lexicon's "kai/1", "le/gw2") raised as dictionaries print it
// (καί¹, λέγω²) rather than written on the line as a digit.
wide_string shown_lemma(wide_string_view beta, const betaconverter& converter);

} // namespace veso::occurrences
