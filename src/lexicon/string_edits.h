#pragma once

#include "greek/wide_string.h"

namespace veso {

// Replaces the first occurrence of needle; false when there is none.
bool replace_first(wide_string& text, wide_string_view needle, wide_string_view replacement);

// Normalises a clicked word's Beta Code key the way the morphology keys are made: grave to
// acute, one of each punctuation mark removed, a second acute or a diaeresis dropped, an acute
// before a circumflex dropped, cut at a carriage return.
void clean_clicked_word(wide_string& word);

} // namespace veso
