#include "texts/text_checks.h"

#include "common/unicode_text.h"
#include "texts/greek_cleaning.h"

#include <algorithm>
#include <map>
#include <set>

namespace veso::corpus {
namespace {

using failures = std::vector<std::string>;

std::string str(std::int64_t n) {
    return std::to_string(n);
}

void check_catalogue(const laid_out_texts& t, std::span<const outline_author> outline,
                     failures& f) {
    const std::size_t expected_levels[] = {7, 34, 614, 1934, 3762, 129};
    std::size_t levels[7] = {};
    std::size_t leaves = 0;
    for (std::size_t i = 0; i < t.catalogue.size(); ++i) {
        const auto& e = t.catalogue[i];
        if (e.depth < 1 || e.depth > 6) {
            f.push_back("catalogue item \"" + to_utf8(e.label) + "\" has depth " + str(e.depth));
            continue;
        }
        ++levels[e.depth];
        const bool is_leaf = i + 1 == t.catalogue.size() || t.catalogue[i + 1].depth <= e.depth;
        if (is_leaf) {
            ++leaves;
            if (e.id == 0) {
                f.push_back("catalogue leaf \"" + to_utf8(e.label) + "\" carries no identifier");
            }
        }
        if (e.label.empty()) {
            f.push_back("catalogue item " + str(static_cast<std::int64_t>(i)) + " has no label");
        }
    }
    for (int d = 1; d <= 6; ++d) {
        if (levels[d] != expected_levels[d - 1]) {
            f.push_back("catalogue level " + str(d) + " has " +
                        str(static_cast<std::int64_t>(levels[d])) + " items, expected " +
                        str(static_cast<std::int64_t>(expected_levels[d - 1])));
        }
    }
    if (t.catalogue.size() != 6480) {
        f.push_back("the catalogue has " + str(static_cast<std::int64_t>(t.catalogue.size())) +
                    " items, expected 6480");
    }
    if (leaves != 5860) {
        f.push_back("the catalogue has " + str(static_cast<std::int64_t>(leaves)) +
                    " leaves, expected 5860");
    }
    // Per author and per level-3 item: labels, leaf counts and identifiers in tree order.
    std::size_t i = 0;
    for (const auto& author : outline) {
        while (i < t.catalogue.size() && t.catalogue[i].depth != 2) {
            ++i;
        }
        if (i == t.catalogue.size() || t.catalogue[i].label != author.label) {
            f.push_back("author \"" + to_utf8(author.label) +
                        "\" is not where the catalogue expects it");
            return;
        }
        ++i;
        std::vector<std::int32_t> ids;
        std::size_t work = 0;
        while (i < t.catalogue.size() && t.catalogue[i].depth > 2) {
            const auto& e = t.catalogue[i];
            if (e.depth == 3 && author.works.empty()) {
                ++work; // Sappho's fragments are leaves directly below the author
            } else if (e.depth == 3) {
                if (work >= author.works.size() || author.works[work].label != e.label) {
                    f.push_back(to_utf8(author.label) + ": level-3 item \"" + to_utf8(e.label) +
                                "\" is not the catalogue's");
                }
                std::size_t below = 0;
                std::size_t j = i + 1;
                for (; j < t.catalogue.size() && t.catalogue[j].depth > 3; ++j) {
                    if (j + 1 == t.catalogue.size() ||
                        t.catalogue[j + 1].depth <= t.catalogue[j].depth) {
                        ++below;
                    }
                }
                const std::size_t expected =
                    work < author.works.size() ? static_cast<std::size_t>(author.works[work].leaves)
                                               : 0;
                if (below != expected) {
                    f.push_back(to_utf8(author.label) + ", " + to_utf8(e.label) + ": " +
                                str(static_cast<std::int64_t>(below)) + " leaves, expected " +
                                str(static_cast<std::int64_t>(expected)));
                }
                ++work;
            }
            const bool is_leaf = i + 1 == t.catalogue.size() || t.catalogue[i + 1].depth <= e.depth;
            if (is_leaf) {
                ids.push_back(e.id);
            }
            ++i;
        }
        if (!author.works.empty() && work != author.works.size()) {
            f.push_back(to_utf8(author.label) + ": " + str(static_cast<std::int64_t>(work)) +
                        " level-3 items, expected " +
                        str(static_cast<std::int64_t>(author.works.size())));
        }
        if (ids != leaf_ids(author)) {
            f.push_back(to_utf8(author.label) +
                        ": the leaves do not carry the catalogue's identifiers "
                        "in tree order");
        }
    }
}

void check_rows(const laid_out_texts& t, failures& f) {
    if (t.rows.size() != 5867) {
        f.push_back("the passage table has " + str(static_cast<std::int64_t>(t.rows.size())) +
                    " rows, expected 5867");
    }
    std::map<work_kind, int> kinds;
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        const auto& r = t.rows[i];
        ++kinds[r.kind];
        if (i > 0 && t.rows[i - 1].id >= r.id) {
            f.push_back("identifier " + str(r.id) + " has two rows");
        }
        if (r.id < 40043 || r.id > 51280) {
            f.push_back("identifier " + str(r.id) + " lies outside 40043 to 51280");
        }
        if (r.byte_length / 2 + 200 > text_buffer_units) {
            f.push_back("passage " + str(r.id) + " (" + str(r.byte_length) +
                        " bytes) does not fit the 2,000,000-unit text buffer");
        }
        if (r.file_offset % 2 != 0 || r.byte_length % 2 != 0 || r.byte_length <= 0) {
            f.push_back("passage " + str(r.id) + " has an odd or empty place in its file");
        }
    }
    if (kinds[work_kind::single] != 265 || kinds[work_kind::chapter] != 1176 ||
        kinds[work_kind::sectioned] != 4426) {
        f.push_back("the rows are " + str(kinds[work_kind::single]) + " single passages, " +
                    str(kinds[work_kind::chapter]) + " Septuagint chapters and " +
                    str(kinds[work_kind::sectioned]) + " sections; expected 265, 1176 and 4426");
    }
    // The Septuagint: identifiers 50104 to 51280 without 50946, in file order from offset 8.
    std::int32_t expected_id = 50104;
    std::int32_t previous_end = 8;
    for (const auto& r : t.rows) {
        if (r.kind != work_kind::chapter) {
            continue;
        }
        if (expected_id == 50946) {
            ++expected_id;
        }
        if (r.id != expected_id) {
            f.push_back("Septuagint chapter " + str(r.id) + " where " + str(expected_id) +
                        " was expected");
            break;
        }
        if (r.file_offset != previous_end) {
            f.push_back("Septuagint chapter " + str(r.id) + " starts at byte " +
                        str(r.file_offset) + ", not right after the chapter before (" +
                        str(previous_end) + ")");
            break;
        }
        if (r.author_number != 44 || r.work_code != 40) {
            f.push_back("Septuagint chapter " + str(r.id) +
                        " is not filed under author 44, code 40");
        }
        previous_end = r.file_offset + r.byte_length;
        ++expected_id;
    }
    if (expected_id != 51281) {
        f.push_back("the Septuagint rows end before identifier 51280");
    }
    // Every leaf has a row; the rows without a leaf are the known seven.
    std::set<std::int32_t> leaves;
    for (const auto& e : t.catalogue) {
        if (e.id != 0) {
            leaves.insert(e.id);
        }
    }
    std::set<std::int32_t> rows;
    for (const auto& r : t.rows) {
        rows.insert(r.id);
    }
    for (std::int32_t id : leaves) {
        if (!rows.contains(id)) {
            f.push_back("leaf " + str(id) + " has no row in the passage table");
        }
    }
    const std::set<std::int32_t> rowless = {40193, 40194, 46578, 46579, 46580, 46581, 46582};
    for (std::int32_t id : rows) {
        if (!leaves.contains(id) && !rowless.contains(id)) {
            f.push_back("row " + str(id) + " has no leaf in the catalogue");
        }
    }
}

void check_sections(const laid_out_texts& t, failures& f) {
    const std::size_t expected_entries[] = {1578, 917, 11,  50, 15,  41, 38,
                                            357,  61,  791, 40, 118, 260};
    for (std::size_t k = 0; k < t.tables.size(); ++k) {
        const auto& table = t.tables[k];
        const std::string name = "section-start table " + str(static_cast<std::int64_t>(k + 1)) +
                                 " (author " + str(table.author_number) + ", work code " +
                                 str(table.work_code) + ")";
        if (k < std::size(expected_entries) && table.starts.size() != expected_entries[k]) {
            f.push_back(name + " has " + str(static_cast<std::int64_t>(table.starts.size())) +
                        " entries, expected " +
                        str(static_cast<std::int64_t>(expected_entries[k])));
        }
        for (std::size_t j = 1; j < table.starts.size(); ++j) {
            if (table.starts[j] <= table.starts[j - 1]) {
                f.push_back(name + " is not strictly increasing at entry " +
                            str(static_cast<std::int64_t>(j)));
                break;
            }
        }
    }
    for (const placed_work& p : t.placed) {
        const built_work& w = *p.work;
        if (w.kind != work_kind::sectioned) {
            continue;
        }
        const int k = table_index(w.author_number, w.work_code);
        if (w.marker_scanned != (k < 0)) {
            f.push_back(to_utf8(w.title) + (k < 0 ? " has no section-start table and is not marked"
                                                  : " has a table and markers"));
            continue;
        }
        if (k >= 0) {
            const auto& starts = t.tables[static_cast<std::size_t>(k)].starts;
            if (starts.size() != w.ids.size()) {
                f.push_back(to_utf8(w.title) + ": its table has " +
                            str(static_cast<std::int64_t>(starts.size())) + " entries for " +
                            str(static_cast<std::int64_t>(w.ids.size())) + " sections");
            }
            if (!starts.empty() && starts.back() >= p.unit_length) {
                f.push_back(to_utf8(w.title) + ": its last section starts past its end");
            }
            continue;
        }
        // The program's marker scan must find the start of every section that has text.
        const std::u16string& file = t.files[static_cast<std::size_t>(w.file)];
        std::u16string loaded = file.substr(static_cast<std::size_t>(p.unit_offset),
                                            static_cast<std::size_t>(p.unit_length));
        loaded.append(200, u'\0');
        std::int32_t count = static_cast<std::int32_t>(w.ids.size()) - 1;
        for (std::int32_t c : w.row_section_counts) {
            count = std::max(count, c);
        }
        const auto found = scan_section_starts(loaded, count);
        for (std::size_t j = 0; j < w.sections.size(); ++j) {
            const std::int32_t expected = j == 0 ? 0 : p.section_offsets[j] - 1;
            if (found[j] != expected) {
                f.push_back(to_utf8(w.title) + ": the marker scan finds section " +
                            str(static_cast<std::int64_t>(j)) + " at " + str(found[j]) +
                            ", its text starts at " + str(expected));
            }
        }
    }
}

void check_file_text(const laid_out_texts& t, failures& f) {
    const char* names[] = {"t.dat", "s.dat", "nt.dat", "l.dat"};
    for (std::size_t k = 0; k < t.files.size(); ++k) {
        const std::u16string& file = t.files[k];
        for (std::size_t i = 0; i < file.size(); ++i) {
            const char16_t c = file[i];
            const bool tonos = (c >= 0x0386 && c <= 0x038F && c != 0x0387) || c == 0x0390 ||
                               (c >= 0x03AC && c <= 0x03B0) || (c >= 0x03CC && c <= 0x03CE);
            // The ano teleia is written U+0387, never the middle dot NFC makes of it.
            if (tonos || c == 0xFFFF || c == 0x00B7 || c == u'\n' || (c < 0x20 && c != u'\r')) {
                f.push_back(std::string(names[k]) + ": unit " + str(static_cast<std::int64_t>(i)) +
                            " is U+" + str(c) + " (decimal), which the text files never hold");
                break;
            }
        }
        if (!file.empty() && file.back() != u'\r') {
            f.push_back(std::string(names[k]) + " does not end with a carriage return");
        }
    }
    if (t.main_file_length > 0x7FFFFFFF / 2 || t.files[0].size() * 2 > 0x7FFFFFFFu) {
        f.push_back("t.dat is too large for 32-bit offsets");
    }
}

} // namespace

std::vector<std::int32_t> scan_section_starts(std::u16string_view text,
                                              std::int32_t section_count) {
    std::vector<std::int32_t> starts(static_cast<std::size_t>(std::max(section_count, 0) + 1), -1);
    const auto length = static_cast<std::int64_t>(text.size());
    std::int64_t last = 0;
    for (std::size_t j = 0; j < starts.size(); ++j) {
        for (std::int64_t i = last + 1; i < length - 10; ++i) {
            if (text[static_cast<std::size_t>(i)] != u'[' ||
                text[static_cast<std::size_t>(i + 2)] != u']') {
                continue;
            }
            const char16_t digit = text[static_cast<std::size_t>(i + 1)];
            if (digit != u'5' && digit != u'3') {
                continue;
            }
            const int b = digit == u'5' ? 5 : 3;
            last = i;
            starts[j] = static_cast<std::int32_t>(i);
            int seen = 0;
            for (std::int64_t k = 0; k < 500; ++k) {
                if (i - k <= 0) {
                    starts[j] = static_cast<std::int32_t>(i - k);
                    break;
                }
                if (text[static_cast<std::size_t>(i - k)] == u'\r' && ++seen == b) {
                    starts[j] = static_cast<std::int32_t>(i - k);
                    break;
                }
            }
            break;
        }
    }
    return starts;
}

std::vector<std::string> check_texts(const laid_out_texts& texts,
                                     std::span<const outline_author> outline) {
    failures f;
    check_catalogue(texts, outline, f);
    check_rows(texts, f);
    check_sections(texts, f);
    check_file_text(texts, f);
    return f;
}

} // namespace veso::corpus
