#pragma once

#include "lexicon/sorted_table.h"

#include <atomic>
#include <cstddef>
#include <filesystem>

namespace veso {

// How one of the six lexicon files is laid out: records of key, separator, value, terminator.
struct lexicon_file_format {
    char16_t key_separator;
    char16_t record_terminator;
    // Characters beyond these are dropped; the record is kept with the field cut at the limit.
    std::size_t key_limit;
    std::size_t value_limit;
    // UTF-16LE ending at 0xFFFF; otherwise bytes as ISO 8859-1 with CR LF read as LF and 0x1A
    // ending the file.
    bool utf16;
};

inline constexpr lexicon_file_format morphology_format{0x02, 0x01, 2023, 4087, false};
inline constexpr lexicon_file_format dictionary_format{0x01, 0x00, 40479, 19999, false};
inline constexpr lexicon_file_format wide_dictionary_format{0x0001, 0x0000, 40479, 19999, true};
inline constexpr lexicon_file_format frequency_format{0x02, 0x01, 40479, 19999, false};

// Adds the file's records to `table` in file order. A file that cannot be opened adds nothing.
// Returns false when `cancel` was seen set (it is checked after every character).
bool read_lexicon_file(const std::filesystem::path& path, const lexicon_file_format& format,
                       const std::atomic<bool>& cancel, table_builder& table);

// The same over bytes already in memory (the fuzz targets and tests use it).
bool read_lexicon_bytes(const unsigned char* data, std::size_t size,
                        const lexicon_file_format& format, const std::atomic<bool>& cancel,
                        table_builder& table);

} // namespace veso
