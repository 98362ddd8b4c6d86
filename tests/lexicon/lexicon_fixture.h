#pragma once

#include "greek/wide_string.h"
#include "lexicon/lexicon.h"

#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace veso::test {

using records = std::vector<std::pair<wide_string, wide_string>>;

// Latin-1 bytes of one record per pair: key, separator, value, terminator.
std::string byte_records(const records& pairs, char separator, char terminator);
// The same as UTF-16LE units.
std::string wide_records(const records& pairs);

// A fresh data folder in the temporary directory, removed again at the end.
class data_folder {
public:
    data_folder();
    ~data_folder();
    data_folder(const data_folder&) = delete;
    data_folder& operator=(const data_folder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& file, const std::string& bytes) const;

    // Shorthands for the six files in their own formats.
    void morphology(const records& pairs, const std::string& file = "m.dat") const;
    void dictionary(const records& pairs, const std::string& file = "d.dat") const;
    void wide_dictionary(const records& pairs) const;
    void frequency(const records& pairs) const;

    // A lexicon over this folder, loaded to the end.
    std::unique_ptr<lexicon> load() const;

private:
    std::filesystem::path path_;
};

// The neighbour search as a walk over every entry from the first one, for comparison.
std::array<wide_string, 2> walked_neighbours(const std::map<wide_string, wide_string>& table,
                                             const wide_string& word, std::size_t length,
                                             bool report_values);

} // namespace veso::test
