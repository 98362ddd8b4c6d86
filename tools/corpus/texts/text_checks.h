#pragma once

#include "texts/catalogue_outline.h"
#include "texts/text_layout.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace veso::corpus {

inline constexpr std::int32_t text_buffer_units = 2'000'000;

// The section starts the program finds by scanning a loaded text for "[5]" and "[3]" markers;
// entries it finds no marker for stay at -1.
std::vector<std::int32_t> scan_section_starts(std::u16string_view loaded,
                                              std::int32_t section_count);

// Every check of the built texts against the catalogue's fixed counts and the program's rules.
// Returns the failures, each a sentence naming what is wrong; empty when all pass.
std::vector<std::string> check_texts(const laid_out_texts& texts,
                                     std::span<const outline_author> outline);

} // namespace veso::corpus
