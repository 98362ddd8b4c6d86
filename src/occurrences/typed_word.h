#pragma once

#include "greek/betaconverter.h"
#include "greek/wide_string.h"

#include <optional>

namespace veso::occurrences {

// A word typed into "Find a word..." or given to veso-cli, as the Beta Code key it is looked up
// under: read as typed_to_betacode reads typed Greek, then cleaned as a clicked word is. Nothing
// when no Greek word was typed (empty, or other letters).
std::optional<wide_string> typed_word_key(wide_string_view typed, const betaconverter& converter);

} // namespace veso::occurrences
