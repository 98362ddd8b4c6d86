#pragma once

// The constant text data compiled into the program. The definitions are written by the data
// builder (veso-build-data) into src/library/generated/ and must match the data files it builds.

#include <cstdint>
#include <span>

namespace veso {

struct passage_location {
    std::int32_t author_number = 1;
    std::int32_t work_code = 0;
    std::int32_t file_offset = 0; // bytes
    std::int32_t byte_length = 0;
    std::int32_t section = 0;
    std::int32_t section_count = 0;
};

struct passage_row {
    std::int32_t id;
    passage_location location;
};

// Rows in increasing identifier order.
std::span<const passage_row> passage_rows();

// A section-start table and the works it applies to: author_number 0 matches any author,
// work_code -1 any work code. Tables are listed in the order they are tried.
struct section_start_table {
    std::int32_t author_number;
    std::int32_t work_code;
    std::span<const std::int32_t> starts; // section_count + 1 entries
};
std::span<const section_start_table> section_start_tables();

// The catalogue in tree order (each parent before its children). Genres have depth 1, authors 2;
// leaves carry their identifier, every other item 0.
struct catalogue_entry {
    std::uint8_t depth;
    const char16_t* label;
    std::int32_t id;
};
std::span<const catalogue_entry> catalogue_entries();

// Leaves whose passage holds only a short notice that the open corpus has no text for it, in
// increasing order (data/coverage.json lists them with their catalogue paths).
std::span<const std::int32_t> missing_passage_ids();

// Constants of the text files.
namespace text_data {
extern const std::int32_t new_testament_byte_length;  // nt.dat is read whole
extern const std::int32_t last_septuagint_offset;     // file offset of the last chapter in l.dat
extern const std::int32_t main_file_length;           // bytes of t.dat
// Fingerprint of the tables above; the builder writes the same value into data/.
extern const char* const tables_fingerprint;
} // namespace text_data

} // namespace veso
