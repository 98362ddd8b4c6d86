#pragma once

#include "lexicon/tei_entries.h"

#include <string>
#include <string_view>
#include <vector>

namespace veso::corpus {

// What the headword check did to a source's entries, for the build report (UTF-8 Beta Code).
struct headword_checks {
    struct rekeyed_entry {
        std::string source, old_key, new_key;
    };
    struct dropped_entry {
        std::string source, key, reason;
    };
    std::vector<rekeyed_entry> rekeyed;
    std::vector<dropped_entry> dropped;
};

// The letters of a Beta Code headword, without capitals, breathings, accents, digits or hyphens.
std::string headword_letters(std::u16string_view beta);

// Whether a key can be a dictionary headword: one Beta Code word (letters with their marks,
// capitals marked "*"), with a homograph digit at most at its end.
bool is_headword_key(std::u16string_view key);

// The words of a headword as an entry's text shows it (Beta Code): up to its first comma, with
// endings ("-ou"), sigla and punctuation left out and hyphens taken out ("ei)/s-odos").
std::vector<std::u16string> shown_headword_words(std::u16string_view shown);

// Keeps every entry under its own headword. An entry stays under its key when the key is one
// word whose letters are those of the first word its text shows as headword (or when it shows
// none); otherwise it is re-keyed under the headword it shows, if that is one word, or dropped.
// Of entries that end up under one key, the first stays.
void check_headwords(const char* source, std::vector<source_entry>& entries,
                     headword_checks& checks);

} // namespace veso::corpus
