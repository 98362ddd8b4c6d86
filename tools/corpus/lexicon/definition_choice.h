#pragma once

#include "lexicon/lsj_homographs.h"
#include "lexicon/tei_entries.h"

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace veso::corpus {

// Which file a definition goes to: LSJ's full entries, entries that need UTF-16, the others.
enum class dictionary_file { full, wide, fallback };

enum class definition_kind {
    lsj_full, // LSJ's full entry
    composed, // a short gloss followed by a fuller entry, each named
    single    // one entry of another dictionary
};

struct chosen_definition {
    std::u16string text;
    dictionary_file file;
    const char* source; // the dictionary of its first part
    definition_kind kind;
};

// What a dictionary is to the choice: LSJ in full; a short gloss (LSJ's, Middle Liddell's,
// Logeion's); or a fuller entry of a dictionary of Homer or of the New Testament.
enum class source_role { lsj_full, gloss, fuller };

struct dictionary_source {
    const char* name; // in the build report
    source_role role;
    std::vector<source_entry> entries; // headwords checked
};

struct dictionary {
    std::map<std::u16string, chosen_definition> definitions;
    lsj_homographs lsj;
};

// One definition per headword. A headword LSJ has in full, under any homograph digit, has LSJ's
// entry and no other. Any other headword has the first gloss of the sources in the order given,
// followed by the longest fuller entry under that headword, named by its dictionary's name (or
// either alone). Definitions longer than max_length are cut at a sentence end. Figures per
// source go into report["sources"].
dictionary choose_definitions(std::vector<dictionary_source>& sources, std::size_t max_length,
                              nlohmann::json& report);

// A gloss followed by a fuller entry, named as the panes name its dictionary:
// "[S] gloss <I>Autenrieth <N>entry ...".
std::u16string compose_definition(std::u16string_view gloss, std::u16string_view fuller);

} // namespace veso::corpus
