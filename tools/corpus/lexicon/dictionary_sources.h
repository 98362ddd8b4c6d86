#pragma once

#include "greek/betaconverter.h"
#include "lexicon/tei_entries.h"

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

namespace veso::corpus {

// Which file a definition goes to: full entries first, then entries that need UTF-16, then the
// fallbacks.
enum class dictionary_file { full, wide, fallback };

struct chosen_definition {
    std::u16string text;
    dictionary_file file;
    const char* source;
};

// All definitions by headword: of the sources that have a headword, the first in this order
// wins: LSJ (Perseus, Alpheios, Markdown), Abbott-Smith, Autenrieth, Dodson, Middle Liddell,
// LSJ short definitions, Logeion short definitions. Figures per source go into report.
std::map<std::u16string, chosen_definition>
read_dictionaries(const std::filesystem::path& lexicon_folder, const betaconverter& converter,
                  nlohmann::json& report);

// The whole of a file as bytes; empty when it cannot be read.
std::string read_whole_file(const std::filesystem::path& path);

} // namespace veso::corpus
