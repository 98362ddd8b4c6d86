#pragma once

#include "greek/wide_string.h"
#include "library/text_tables.h"

#include <cstdint>
#include <span>

namespace veso {

class mydoc;

// How the places of a work are numbered: poetry by its lines (the text marks every fifth), the
// Bible by verses, prose by the sections and pages its editions print ("[12]", "[327a]").
enum class place_numbering { lines, verses, sections };

// The work and section a catalogue leaf stands for, as a reader cites it: "Iliad 1",
// "Herodotus 1.2", "Matthew 5", "Apology". Empty for an identifier no leaf carries.
wide_string work_and_section_of(std::int32_t id,
                                std::span<const catalogue_entry> entries = catalogue_entries());
place_numbering numbering_of(std::int32_t id,
                             std::span<const catalogue_entry> entries = catalogue_entries());

// The status bar's account of the page shown: the work and section, then the lines, verses or
// sections on the page, "Iliad 1 · lines 1-25 of 611", "Matthew 5 · verses 3-12 of 48",
// "Apology · sections 17a-18b". Empty while no passage is open. The page's end is the one the
// text view's last layout wrote.
wide_string page_status_text(const mydoc& document,
                             std::span<const catalogue_entry> entries = catalogue_entries());

// The same, worked out again only when the passage or the page has changed, so that repainting
// the same page costs nothing.
class page_status {
public:
    explicit page_status(std::span<const catalogue_entry> entries = catalogue_entries())
        : entries_(entries) {}
    // Whether the text changed since the last call.
    bool update(const mydoc& document);
    const wide_string& text() const { return text_; }

private:
    struct page_key {
        std::int32_t id = -1;
        std::int32_t section = 0;
        std::int32_t page_start = 0;
        std::int32_t next_page_start = 0;
        std::int32_t text_length = 0;
        bool loading = false;
        bool operator==(const page_key&) const = default;
    };

    std::span<const catalogue_entry> entries_;
    page_key key_;
    wide_string text_;
};

} // namespace veso
