#pragma once

#include <filesystem>
#include <string>

namespace veso::corpus {

// Records every file of the data folder, in any folder below it, with its size and checksum in
// the folder's manifest; hidden files and the manifest itself are left out. Run after every other
// file is written, so that the program can tell a damaged file from a sound one. On failure, error
// says why and any earlier manifest stays.
bool write_data_manifest(const std::filesystem::path& folder, std::string& error);

} // namespace veso::corpus
