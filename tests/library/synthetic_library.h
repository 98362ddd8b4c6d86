#pragma once

#include "library/mydoc.h"
#include "library/text_tables.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace veso::testing {

// A small data folder written into a fresh temporary directory, with passage and section-start
// tables that describe it, shaped like the real library:
//   100        single passage (author 1)
//   110        single passage cut by a unit 0xFFFF
//   120        single passage whose row runs past the end of t.dat (short read)
//   130        a row longer than the text buffer
//   140        a passage holding only the notice that the open corpus lacks its text
//   999        a catalogue leaf without a row
//   200-203    a poem of 4 sections found by "[5]"/"[3]" markers (author 17); section 2 is short
//   300,301,303 a prose work of 3 sections with a section-start table (author 14); 302 has no row
//   400,401,410 and 402,403  two scanned odes of one author whose identifiers interleave; the
//              rows of the second count a section 404 that its text lacks
//   600,601,603 Septuagint chapters in l.dat (work code 40); 602 has no row; 603 is the last
//   700-702    the New Testament in nt.dat (author 44, work code 32), read whole
//   800,801    lyric fragments in s.dat (author 38)
// The catalogue holds every leaf with text but 110, 120 and 130, and the leaf 999 without a row.
class synthetic_library {
public:
    static constexpr const char* fingerprint = "synthetic-tables-1";

    synthetic_library();
    ~synthetic_library();
    synthetic_library(const synthetic_library&) = delete;
    synthetic_library& operator=(const synthetic_library&) = delete;

    const std::filesystem::path& root() const { return root_; }
    document_tables tables() const;
    std::span<const catalogue_entry> catalogue() const { return catalogue_; }

    // Unit index in the loaded poem (ids 200-203) where section j starts: the carriage return
    // before its first line.
    std::int32_t poem_section_start(int j) const { return poem_starts_.at(j); }
    std::int32_t prose_section_start(int j) const { return prose_starts_.at(j); }
    std::int32_t poem_units() const { return poem_units_; }
    // Units of the passage's own text as written (before any cut).
    const std::u16string& passage_text(std::int32_t id) const { return texts_.at(id); }

    void write_fingerprint(const std::string& content) const;
    void remove_file(const char* name) const;
    // Records the data files' sizes and checksums, as the data builder does last.
    void write_manifest() const;
    std::filesystem::path data_file(const char* name) const { return root_ / "data" / name; }

private:
    std::filesystem::path root_;
    std::vector<passage_row> rows_;
    std::vector<section_start_table> section_tables_;
    std::vector<std::int32_t> prose_starts_;
    std::vector<std::int32_t> new_testament_starts_;
    std::vector<std::int32_t> fragment_starts_;
    std::vector<std::int32_t> poem_starts_;
    std::vector<catalogue_entry> catalogue_;
    std::map<std::int32_t, std::u16string> texts_;
    std::int32_t poem_units_ = 0;
    std::int32_t new_testament_bytes_ = 0;
    std::int32_t last_chapter_offset_ = 0;
};

// Greek as the data builder writes it, the acute accent as oxia (the passages below are typed
// with the keyboard's tonos and written so).
std::u16string with_oxia(std::u16string text);

// Writes units as UTF-16LE.
void write_utf16le(const std::filesystem::path& path, const std::u16string& units);

} // namespace veso::testing
