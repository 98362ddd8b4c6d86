#pragma once

#include "greek/betaconverter.h"
#include "lexicon/definition_text.h"

#include <pugixml.hpp>
#include <string>
#include <vector>

namespace veso::corpus {

// One dictionary entry as read from a source: its headword in Beta Code and its marked-up text.
struct source_entry {
    std::u16string headword;
    std::u16string definition;
    // The headword as the entry's own text shows it (Beta Code, perhaps with endings or several
    // words); empty for sources whose entries show none.
    std::u16string shown_headword;
    bool cut = false; // the source text was longer than a field holds
};

// How a TEI dictionary writes its Greek and its emphasis.
struct tei_flavour {
    char source_letter;              // shown first in the definition, "[L] ..."
    bool beta_code_greek;            // Greek elements hold Beta Code (Perseus); otherwise Unicode
    const char* translation_element; // "tr" or "gloss": set in translation_style
    definition_text::style translation_style;
};

inline constexpr tei_flavour lsj_perseus_flavour{'L', true, "tr", definition_text::style::bold};
inline constexpr tei_flavour lsj_alpheios_flavour{'L', false, "tr", definition_text::style::bold};
inline constexpr tei_flavour autenrieth_flavour{'A', true, "gloss", definition_text::style::italic};

// Every <entryFree> of an LSJ-like TEI document (Perseus, Alpheios, Autenrieth). The headword is
// the entry's key attribute.
std::vector<source_entry> read_tei_entries(const pugi::xml_document& document,
                                           const tei_flavour& flavour,
                                           const betaconverter& converter, std::size_t max_length);

// Abbott-Smith's New Testament lexicon (CrossWire TEI, Unicode Greek, Hebrew quoted).
std::vector<source_entry> read_abbott_smith(const pugi::xml_document& document,
                                            const betaconverter& converter, std::size_t max_length);

// Dodson's New Testament lexicon (dodson.xml: <entry><orth/><def role="full"/></entry>).
std::vector<source_entry> read_dodson(const pugi::xml_document& document,
                                      const betaconverter& converter, std::size_t max_length);

// Loads an XML file keeping whitespace-only text, which separates words between elements.
bool load_xml(pugi::xml_document& document, const std::string& path, std::string& error);

} // namespace veso::corpus
