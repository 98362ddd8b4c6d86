#pragma once

#include "lexicon/build_lexicon.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace veso::corpus {

// The four text files, as written, with the passages filed under each author number.
struct built_texts {
    std::vector<std::u16string> files; // storage the views below point into
    std::vector<authored_text> passages;
};

// Writes t.dat, s.dat, nt.dat and l.dat into out and, when generated_dir is not empty, the
// generated C++ tables into it. Runs every check; returns false after printing a clear message to
// standard error when one fails.
bool build_text_files(const std::filesystem::path& corpus, const std::filesystem::path& out,
                      const std::filesystem::path& generated_dir, built_texts& result,
                      nlohmann::json& report);

} // namespace veso::corpus
