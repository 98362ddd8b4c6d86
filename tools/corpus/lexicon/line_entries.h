#pragma once

#include "greek/betaconverter.h"
#include "lexicon/tei_entries.h"

#include <string_view>
#include <vector>

namespace veso::corpus {

// LSJ in light Markdown (CITE collection lines "urn#lemma# entry"): "**" bold, "*" italic,
// `A` sense labels.
std::vector<source_entry> read_markdown_lsj(std::string_view file_text,
                                            const betaconverter& converter, std::size_t max_length);

// Short definitions, one "lemma<separator>definition" a line (Unicode lemma; HTML tags in the
// definition are dropped). A first line "lemma<separator>def" is a header and skipped.
std::vector<source_entry> read_short_definitions(std::string_view file_text, char separator,
                                                 char source_letter, const betaconverter& converter,
                                                 std::size_t max_length);

// A source lemma (Unicode, possibly with a homograph digit and editorial brackets) as a headword.
std::u16string headword_from_unicode(std::u16string_view lemma, const betaconverter& converter);

} // namespace veso::corpus
