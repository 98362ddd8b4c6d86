#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veso::corpus {

// How one lexicon file stores its records: key, separator, value, terminator, repeated.
struct record_format {
    char16_t key_separator;
    char16_t record_terminator;
    bool utf16;            // 16-bit little-endian units; otherwise one ISO 8859-1 byte each
    std::size_t max_key;   // longest key the loader's buffer holds
    std::size_t max_value; // longest value the loader's buffer holds
};

inline constexpr record_format morphology_format{0x02, 0x01, false, 2023, 4087};
inline constexpr record_format dictionary_format{0x01, 0x00, false, 40479, 19999};
inline constexpr record_format wide_dictionary_format{0x0001, 0x0000, true, 40479, 19999};
inline constexpr record_format frequency_format{0x02, 0x01, false, 40479, 19999};

using record = std::pair<std::u16string, std::u16string>;

// True when every unit is a single ISO 8859-1 character.
bool fits_latin1(std::u16string_view text);
// ISO 8859-1 bytes as UTF-16 units, one each.
std::u16string widen(std::string_view latin1);

// Why a record cannot be stored in a file of the given format, or nullptr when it can. The
// loaders read text-mode files with CR LF folded and 0x1A as end of file, so those never appear.
const char* record_problem(const record& r, const record_format& format);

// Writes the records in order. Records with a problem are left out and counted in skipped.
// Returns false (with a message in error) when the file cannot be written.
bool write_record_file(const std::filesystem::path& path, const record_format& format,
                       const std::vector<record>& records, std::size_t& skipped,
                       std::string& error);

} // namespace veso::corpus
