#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veso::corpus {

// The four text files.
enum class text_file { main, lyric, new_testament, septuagint };

// The three kinds of passage-table row.
enum class work_kind {
    single,    // one passage of the main file
    sectioned, // a work read whole and shown one section at a time
    chapter,   // one Septuagint chapter
};

// The text of one section (or of a whole single passage): lines, each ending with a carriage
// return.
struct section_text {
    std::u16string text;
    bool missing = false; // only the notice that the open corpus has no text for it
};

// One passage as it goes into a file, with the identifiers of its rows.
struct built_work {
    text_file file = text_file::main;
    work_kind kind = work_kind::single;
    std::int32_t author_number = 1;
    std::int32_t work_code = 0;
    std::u16string title;               // for messages and the coverage list
    std::vector<std::int32_t> ids;      // one row per identifier, in section order
    std::vector<section_text> sections; // one per section that has text (at most ids.size())
    bool marker_scanned = false;        // the program finds its section starts by "[5]"/"[3]"
    std::vector<std::int32_t> row_section_counts; // per row; empty means ids.size() - 1 for all
};

// An item of the catalogue tree; leaves carry their identifier.
struct catalogue_node {
    std::u16string label;
    std::int32_t id = 0;
    std::vector<catalogue_node> children;
};

// A leaf whose text is not in the open corpus.
struct missing_passage {
    std::int32_t id;
    std::u16string title;
};

// What the builder of one author produces: its subtree (the author item with its descendants)
// and its passages.
struct author_texts {
    catalogue_node node;
    std::vector<built_work> works;
};

// The short notice that stands in for a text the open corpus lacks.
std::u16string missing_notice(std::u16string_view what);

} // namespace veso::corpus
