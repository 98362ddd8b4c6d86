#include "library/coverage.h"

#include "library/catalogue_tree.h"
#include "library/mydoc.h"

#include <algorithm>

namespace veso {

bool holds_greek(std::u16string_view units) {
    for (const char16_t u : units) {
        const bool greek = u >= 0x0386 && u <= 0x03FF && u != 0x0387;
        const bool extended = u >= 0x1F00 && u <= 0x1FFF;
        if (greek || extended) {
            return true;
        }
    }
    return false;
}

namespace {

bool same_load(const passage_location& a, const passage_location& b) {
    return a.author_number == b.author_number && a.work_code == b.work_code &&
           a.file_offset == b.file_offset && a.byte_length == b.byte_length &&
           a.section_count == b.section_count;
}

// The units of a section of the loaded text; the whole text when it has no sections.
std::u16string_view section_units(const mydoc& doc, std::int32_t section) {
    const std::int32_t text_end = doc.text_length;
    std::int32_t begin = doc.section_count == 0 ? 0 : doc.section_starts[section];
    std::int32_t end = section >= doc.section_count ? text_end : doc.section_starts[section + 1];
    begin = std::clamp(begin, 0, text_end);
    end = std::clamp(end, begin, text_end);
    return {doc.text.data() + begin, static_cast<std::size_t>(end - begin)};
}

} // namespace

std::optional<std::vector<uncovered_leaf>>
leaves_without_text(mydoc& document, std::span<const catalogue_entry> entries) {
    std::vector<uncovered_leaf> result;
    std::optional<passage_location> loaded;
    for (const auto& entry : entries) {
        if (entry.id == 0) {
            continue;
        }
        const auto row = document.location_of(entry.id);
        bool has_text = false;
        if (row) {
            if (!loaded || !same_load(*loaded, *row)) {
                document.select_passage(entry.id);
                if (document.loading) {
                    return std::nullopt;
                }
                loaded = row;
            }
            const std::int32_t section = std::clamp(row->section, 0, document.section_count);
            has_text = holds_greek(section_units(document, section));
        }
        if (!has_text) {
            result.push_back({entry.id, catalogue_title_of(entry.id, entries)});
        }
    }
    return result;
}

} // namespace veso
