#include "synthetic_library.h"

#include "datafiles/data_manifest.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace veso::testing {

namespace fs = std::filesystem;

void write_utf16le(const fs::path& path, const std::u16string& units) {
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t u : units) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

std::u16string with_oxia(std::u16string text) {
    static constexpr std::pair<char16_t, char16_t> tonos_to_oxia[] = {
        {u'\u03AC', u'\u1F71'}, {u'\u03AD', u'\u1F73'}, {u'\u03AE', u'\u1F75'},
        {u'\u03AF', u'\u1F77'}, {u'\u03CC', u'\u1F79'}, {u'\u03CD', u'\u1F7B'},
        {u'\u03CE', u'\u1F7D'}, {u'\u0390', u'\u1FD3'}, {u'\u03B0', u'\u1FE3'}};
    for (char16_t& c : text) {
        for (const auto& [tonos, oxia] : tonos_to_oxia) {
            if (c == tonos) {
                c = oxia;
            }
        }
    }
    return text;
}

namespace {

std::u16string number(int n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

// A section of verse: `lines` lines, the marker on the last-but-one or last line as the data
// builder writes it ("[5]" on line 5, "[3]" on line 3 of a short section).
std::u16string verse_section(int j, int lines, const std::u16string& extra_last_line) {
    std::u16string s;
    for (int line = 1; line <= lines; ++line) {
        s += u"ἄειδε θεὰ " + number(j) + u"." + number(line);
        if (line == 5 && lines >= 5) {
            s += u" [5]";
        }
        if (line == 3 && lines < 5) {
            s += u" [3]";
        }
        if (line == lines) {
            s += extra_last_line;
        }
        s += u'\r';
    }
    return s;
}

passage_location location(std::int32_t author, std::int32_t work, std::size_t offset_units,
                          std::size_t length_units, std::int32_t section,
                          std::int32_t section_count) {
    return {author,
            work,
            static_cast<std::int32_t>(offset_units * 2),
            static_cast<std::int32_t>(length_units * 2),
            section,
            section_count};
}

} // namespace

synthetic_library::synthetic_library() {
    static std::atomic<int> counter{0};
    root_ = fs::temp_directory_path() /
            ("veso-library-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::create_directories(root_ / "data");

    std::u16string main_file = u"ΠΡΟΟΙΜΙΟΝ\r";
    const auto append = [&](const std::u16string& passage) {
        const std::size_t offset = main_file.size();
        main_file += passage;
        return offset;
    };

    texts_[100] = u"Μῆνιν ἄειδε θεά\rΠηληϊάδεω Ἀχιλῆος\r";
    const auto single = append(texts_[100]);
    rows_.push_back({100, location(1, 0, single, texts_[100].size(), 0, 0)});

    texts_[110] = u"πρὸ τοῦ τέλους";
    texts_[110] += char16_t{0xFFFF};
    texts_[110] += u"μετὰ τὸ τέλος\r";
    const auto cut = append(texts_[110]);
    rows_.push_back({110, location(1, 0, cut, texts_[110].size(), 0, 0)});

    // The poem: a heading line, then sections 0 to 3; section 2 is three lines long.
    std::u16string poem = u"ΙΛΙΑΣ\r";
    const std::u16string last_lines[] = {u" [-5]", u" [150]", u"", u" [10] [15]"};
    for (int j = 0; j < 4; ++j) {
        poem_starts_.push_back(static_cast<std::int32_t>(poem.size()) - 1);
        poem += verse_section(j, j == 2 ? 3 : 6, last_lines[j]);
    }
    poem_units_ = static_cast<std::int32_t>(poem.size());
    texts_[200] = poem;
    const auto poem_at = append(poem);
    for (int j = 0; j < 4; ++j) {
        rows_.push_back({200 + j, location(17, 0, poem_at, poem.size(), j, 3)});
    }

    // The prose work with a section-start table; identifier 302 is skipped.
    std::u16string prose = u"ΗΡΟΔΟΤΟΥ\r";
    for (int j = 0; j < 3; ++j) {
        prose_starts_.push_back(static_cast<std::int32_t>(prose.size()));
        prose += u"[" + number(j + 1) + u"] λόγος " + number(j) + u"\rκαὶ ἄλλος\r";
    }
    texts_[300] = prose;
    const auto prose_at = append(prose);
    const std::int32_t prose_ids[] = {300, 301, 303};
    for (int j = 0; j < 3; ++j) {
        rows_.push_back({prose_ids[j], location(14, 0, prose_at, prose.size(), j, 2)});
    }
    section_tables_.push_back({14, -1, prose_starts_});

    // Two odes of one author: the first has sections 400, 401, 410; the second 402, 403.
    std::u16string ode_a = u"ΟΛΥΜΠΙΟΝΙΚΑΙ\r";
    for (int j = 0; j < 3; ++j) {
        ode_a += verse_section(j, 3, u"");
    }
    std::u16string ode_b = u"ΠΥΘΙΟΝΙΚΑΙ\r";
    for (int j = 0; j < 2; ++j) {
        ode_b += verse_section(j, 3, u"");
    }
    const auto ode_a_at = append(ode_a);
    const auto ode_b_at = append(ode_b);
    const std::int32_t ode_a_ids[] = {400, 401, 410};
    for (int j = 0; j < 3; ++j) {
        rows_.push_back({ode_a_ids[j], location(24, 0, ode_a_at, ode_a.size(), j, 2)});
    }
    // The second ode's rows count a third section (404) that its text lacks.
    for (int j = 0; j < 3; ++j) {
        rows_.push_back({402 + j, location(24, 0, ode_b_at, ode_b.size(), j, 2)});
    }

    texts_[140] = u"The open corpus has no text for this passage.\r";
    const auto notice = append(texts_[140]);
    rows_.push_back({140, location(1, 0, notice, texts_[140].size(), 0, 0)});

    // Rows that do not fit: longer than the buffer, and running past the end of the file.
    rows_.push_back({130, {1, 0, 0, 5'000'000, 0, 0}});
    texts_[120] = u"τέλος τοῦ βιβλίου\r";
    const auto tail = append(texts_[120]);
    rows_.push_back({120, location(1, 0, tail, texts_[120].size() + 500, 0, 0)});
    write_utf16le(root_ / "data" / "t.dat", with_oxia(main_file));

    // The Septuagint: chapters from byte offset 8.
    std::u16string septuagint(4, u'\0');
    const std::int32_t chapter_ids[] = {600, 601, 603};
    for (int c = 0; c < 3; ++c) {
        const std::u16string chapter = u"Ἐν ἀρχῇ κεφάλαιον " + number(c + 1) + u"\rκαὶ εἶπεν\r";
        texts_[chapter_ids[c]] = chapter;
        const std::size_t at = septuagint.size();
        septuagint += chapter;
        rows_.push_back({chapter_ids[c], location(44, 40, at, chapter.size(), 0, 0)});
        last_chapter_offset_ = static_cast<std::int32_t>(at * 2);
    }
    write_utf16le(root_ / "data" / "l.dat", with_oxia(septuagint));

    // The New Testament, read whole; its rows give no length.
    std::u16string testament = u"ΚΔ\r";
    for (int j = 0; j < 3; ++j) {
        new_testament_starts_.push_back(static_cast<std::int32_t>(testament.size()));
        testament += u"ΚΕΦΑΛΑΙΟΝ " + number(j + 1) + u"\rἐν ἀρχῇ ἦν ὁ λόγος\r";
    }
    texts_[700] = testament;
    new_testament_bytes_ = static_cast<std::int32_t>(testament.size() * 2);
    for (int j = 0; j < 3; ++j) {
        rows_.push_back({700 + j, {44, 32, 0, 0, j, 2}});
    }
    write_utf16le(root_ / "data" / "nt.dat", with_oxia(testament));

    std::u16string fragments = u"\r";
    for (int j = 0; j < 2; ++j) {
        fragment_starts_.push_back(static_cast<std::int32_t>(fragments.size()));
        fragments += u"ποικιλόθρον' ἀθανάτ' Ἀφρόδιτα " + number(j + 1) + u"\r";
    }
    texts_[800] = fragments;
    for (int j = 0; j < 2; ++j) {
        rows_.push_back({800 + j, location(38, 0, 0, fragments.size(), j, 1)});
    }
    write_utf16le(root_ / "data" / "s.dat", with_oxia(fragments));

    section_tables_.push_back({38, -1, fragment_starts_});
    section_tables_.push_back({0, 32, new_testament_starts_});
    std::sort(rows_.begin(), rows_.end(),
              [](const passage_row& a, const passage_row& b) { return a.id < b.id; });

    catalogue_ = {
        {1, u"  Early and Epic Poetry", 0},
        {2, u"Homer (c. 800 BCE)", 0},
        {3, u"Iliad", 0},
        {4, u"Book 1", 200},
        {4, u"Book 2", 201},
        {4, u"Book 3", 202},
        {4, u"Book 4", 203},
        {2, u"Aeschylus (c. 525-456 BCE)", 0},
        {3, u"Agamemnon", 100},
        {3, u"Lost play", 140},
        {3, u"Unlisted", 999},
        {2, u"Pindar (c. 522-443 BCE)", 0},
        {3, u"Olympian 1", 0},
        {4, u"1", 400},
        {4, u"2", 401},
        {4, u"3", 410},
        {3, u"Pythian 1", 0},
        {4, u"1", 402},
        {4, u"2", 403},
        {2, u"Sappho (c. 615-550 BCE)", 0},
        {3, u"1", 800},
        {3, u"2", 801},
        {1, u"  History", 0},
        {2, u"Herodotus (c. 484-425 BCE)", 0},
        {3, u"Book 1", 0},
        {4, u"1", 300},
        {4, u"2", 301},
        {4, u"3", 303},
        {1, u"  Religion", 0},
        {2, u"LXX", 0},
        {3, u"Gen", 0},
        {4, u"1", 600},
        {4, u"2", 601},
        {4, u"3", 603},
        {2, u"NT Greek Bible", 0},
        {3, u"Matthew", 0},
        {4, u"1", 700},
        {4, u"2", 701},
        {4, u"3", 702},
    };

    for (auto& [id, text] : texts_) {
        text = with_oxia(text);
    }
    write_fingerprint(fingerprint);
}

synthetic_library::~synthetic_library() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

document_tables synthetic_library::tables() const {
    return document_tables{rows_, section_tables_, new_testament_bytes_, last_chapter_offset_,
                           fingerprint};
}

void synthetic_library::write_fingerprint(const std::string& content) const {
    std::ofstream(root_ / "data" / "tables.fingerprint", std::ios::binary) << content;
}

void synthetic_library::remove_file(const char* name) const {
    fs::remove(root_ / "data" / name);
}

void synthetic_library::write_manifest() const {
    datafiles::data_manifest manifest;
    const std::atomic<bool> never{false};
    for (const char* name : {"l.dat", "nt.dat", "s.dat", "t.dat", "tables.fingerprint"}) {
        manifest.files.push_back({name, fs::file_size(data_file(name)),
                                  *datafiles::file_checksum(data_file(name), never)});
    }
    std::ofstream(data_file(datafiles::manifest_file), std::ios::binary) << manifest.to_text();
}

} // namespace veso::testing
