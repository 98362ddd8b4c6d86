#pragma once

#include "greek/betaconverter.h"
#include "lexicon/definition_choice.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

namespace veso::corpus {

// Reads every dictionary of the corpus's lexicon folder, checks each entry's headword and
// chooses one definition per headword (see choose_definitions). Figures per source, and the
// entries re-keyed and dropped, go into report.
dictionary read_dictionaries(const std::filesystem::path& lexicon_folder,
                             const betaconverter& converter, nlohmann::json& report);

// The whole of a file as bytes; empty when it cannot be read.
std::string read_whole_file(const std::filesystem::path& path);

} // namespace veso::corpus
