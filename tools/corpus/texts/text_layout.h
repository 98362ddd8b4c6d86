#pragma once

#include "texts/text_model.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace veso::corpus {

struct row_data {
    std::int32_t id;
    std::int32_t author_number;
    std::int32_t work_code;
    std::int32_t file_offset;
    std::int32_t byte_length;
    std::int32_t section;
    std::int32_t section_count;
    work_kind kind;
};

struct table_data {
    std::int32_t author_number; // 0: any
    std::int32_t work_code;     // -1: any
    std::vector<std::int32_t> starts;
};

struct entry_data {
    int depth;
    std::u16string label;
    std::int32_t id;
};

// A work as placed in its file: where it starts and where its sections start (units from the
// work's start).
struct placed_work {
    const built_work* work;
    std::int32_t unit_offset;
    std::int32_t unit_length;
    std::vector<std::int32_t> section_offsets;
};

struct laid_out_texts {
    std::array<std::u16string, 4> files;  // t.dat, s.dat, nt.dat, l.dat, indexed by text_file
    std::vector<row_data> rows;           // by identifier
    std::vector<table_data> tables;       // in the order they are tried
    std::vector<entry_data> catalogue;    // tree order
    std::vector<missing_passage> missing; // by identifier
    std::vector<placed_work> placed;
    std::int32_t new_testament_byte_length = 0;
    std::int32_t last_septuagint_offset = 0;
    std::int32_t main_file_length = 0;
};

// The Septuagint file begins with this many units before its first chapter (a byte-order mark
// and three carriage returns: 8 bytes).
inline constexpr std::int32_t septuagint_lead_units = 4;

// Places the works in their files in the order given and derives the rows, the section-start
// tables, the catalogue entries and the list of passages without text.
laid_out_texts lay_out(const std::vector<std::u16string>& genres,
                       const std::vector<std::pair<std::size_t, author_texts>>& authors);

// The section-start tables, in lookup order: (author, work code).
const std::vector<std::pair<std::int32_t, std::int32_t>>& table_keys();
// The index of the table the program uses for a work, or -1 when it scans for markers.
int table_index(std::int32_t author_number, std::int32_t work_code);

} // namespace veso::corpus
