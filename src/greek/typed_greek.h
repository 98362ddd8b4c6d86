#pragma once

#include "greek/wide_string.h"

namespace veso {

class betaconverter;

// A word as a reader types it, turned into the lower-case Beta Code the lexicon is keyed by. Every
// place that takes typed Greek (the dictionary's goto, veso-cli, search boxes) goes through here,
// so that they all accept the same input:
// - Beta Code, in lower or upper case (upper case is read as lower case);
// - Unicode Greek, precomposed or decomposed, with the tonos of modern Greek keyboards or the oxia
//   of polytonic ones (the lexicon writes the acute as oxia), and length marks, which Beta Code
//   does not write, left out;
// - a mixture of both.
// White space around the text is dropped; accents that belong to no Greek letter are dropped;
// anything else that is neither Beta Code nor Greek passes through unchanged.
wide_string typed_to_betacode(const betaconverter& converter, wide_string_view typed);

} // namespace veso
