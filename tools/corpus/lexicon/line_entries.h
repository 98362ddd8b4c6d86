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

// Which lines of a short-definition file to read. The LSJ and Middle Liddell files mark some
// lemmas with a leading "@": names ("@Κῦρος|Cyrus") but also glosses of a minor sense or of
// another word ("@ἔχω|check", "@Κρόνος|a dotard, old fool"), which serve only where no other
// gloss exists.
enum class short_definition_lines { unmarked, marked };

// Short definitions, one "lemma<separator>definition" a line (Unicode lemma; HTML tags in the
// definition are dropped). A first line "lemma<separator>def" is a header and skipped; a
// definition "@" is a placeholder and no definition.
std::vector<source_entry>
read_short_definitions(std::string_view file_text, char separator, char source_letter,
                       const betaconverter& converter, std::size_t max_length,
                       short_definition_lines lines = short_definition_lines::unmarked);

// A source lemma (Unicode, possibly with a homograph digit and editorial brackets) as a headword.
std::u16string headword_from_unicode(std::u16string_view lemma, const betaconverter& converter);

} // namespace veso::corpus
