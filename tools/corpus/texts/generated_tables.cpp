#include "texts/generated_tables.h"

#include "common/unicode_text.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>

namespace veso::corpus {
namespace {

class fnv1a {
public:
    void add(std::int64_t v) {
        for (int i = 0; i < 8; ++i) {
            byte(static_cast<unsigned char>((static_cast<std::uint64_t>(v) >> (8 * i)) & 0xFF));
        }
    }
    void add(std::u16string_view s) {
        add(static_cast<std::int64_t>(s.size()));
        for (char16_t c : s) {
            byte(static_cast<unsigned char>(c & 0xFF));
            byte(static_cast<unsigned char>(c >> 8));
        }
    }
    std::uint64_t value() const { return h_; }

private:
    void byte(unsigned char b) {
        h_ ^= b;
        h_ *= 0x100000001B3ull;
    }
    std::uint64_t h_ = 0xCBF29CE484222325ull;
};

// A char16_t literal: ASCII as is, everything else as \u escapes so the source stays ASCII.
std::string literal(std::u16string_view s) {
    std::string out = "u\"";
    for (char16_t c : s) {
        if (c == u'"' || c == u'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        }
    }
    out += '"';
    return out;
}

const char* const format_note =
    "// Data of the text files in data/ (t.dat, s.dat, nt.dat, l.dat). The passages listed by\n"
    "// missing_passage_ids() hold only a one-line notice that the open corpus has no text for\n"
    "// them; data/coverage.json lists the same identifiers with their catalogue paths:\n"
    "// {\"fingerprint\": \"...\", \"missing\": [{\"id\": 40404, \"title\": \"...\"}, ...]}.\n"
    "// Section starts the program finds by its marker scan are not found for the rows past the\n"
    "// edition's last section: Bacchylides section 21 (rows of sections 0-14 count 21 sections)\n"
    "// and Isthmian sections 8 and 9 (rows 40193 and 40194, which carry no leaf).\n";

} // namespace

std::string tables_fingerprint(const laid_out_texts& t) {
    fnv1a h;
    for (const auto& r : t.rows) {
        for (std::int64_t v :
             {std::int64_t{r.id}, std::int64_t{r.author_number}, std::int64_t{r.work_code},
              std::int64_t{r.file_offset}, std::int64_t{r.byte_length}, std::int64_t{r.section},
              std::int64_t{r.section_count}}) {
            h.add(v);
        }
    }
    for (const auto& table : t.tables) {
        h.add(table.author_number);
        h.add(table.work_code);
        h.add(static_cast<std::int64_t>(table.starts.size()));
        for (std::int32_t s : table.starts) {
            h.add(s);
        }
    }
    for (const auto& e : t.catalogue) {
        h.add(e.depth);
        h.add(e.label);
        h.add(e.id);
    }
    for (const auto& m : t.missing) {
        h.add(m.id);
    }
    h.add(t.new_testament_byte_length);
    h.add(t.last_septuagint_offset);
    h.add(t.main_file_length);
    char buf[20];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h.value()));
    return buf;
}

std::map<std::string, std::string> generated_sources(const laid_out_texts& t,
                                                     const std::string& fingerprint) {
    std::map<std::string, std::string> files;
    {
        std::ostringstream o;
        o << generated_header << "\n" << format_note << "\n";
        o << "#include \"library/text_tables.h\"\n\n#include <array>\n\nnamespace veso "
             "{\nnamespace {\n\n";
        o << "constexpr std::array<passage_row, " << t.rows.size() << "> rows{{\n";
        for (const auto& r : t.rows) {
            o << "    {" << r.id << ", {" << r.author_number << ", " << r.work_code << ", "
              << r.file_offset << ", " << r.byte_length << ", " << r.section << ", "
              << r.section_count << "}},\n";
        }
        o << "}};\n\n";
        for (std::size_t k = 0; k < t.tables.size(); ++k) {
            o << "constexpr std::array<std::int32_t, " << t.tables[k].starts.size() << "> starts_"
              << k << "{\n";
            for (std::size_t j = 0; j < t.tables[k].starts.size(); ++j) {
                o << (j % 10 == 0 ? "    " : " ") << t.tables[k].starts[j] << ",";
                if (j % 10 == 9 || j + 1 == t.tables[k].starts.size()) {
                    o << "\n";
                }
            }
            o << "};\n";
        }
        o << "\nconst std::array<section_start_table, " << t.tables.size() << "> tables{{\n";
        for (std::size_t k = 0; k < t.tables.size(); ++k) {
            o << "    {" << t.tables[k].author_number << ", " << t.tables[k].work_code
              << ", starts_" << k << "},\n";
        }
        o << "}};\n\n";
        o << "constexpr std::array<std::int32_t, " << t.missing.size() << "> missing{\n";
        for (std::size_t j = 0; j < t.missing.size(); ++j) {
            o << (j % 10 == 0 ? "    " : " ") << t.missing[j].id << ",";
            if (j % 10 == 9 || j + 1 == t.missing.size()) {
                o << "\n";
            }
        }
        o << "};\n\n} // namespace\n\n";
        o << "std::span<const passage_row> passage_rows() { return rows; }\n\n";
        o << "std::span<const section_start_table> section_start_tables() { return tables; }\n\n";
        o << "std::span<const std::int32_t> missing_passage_ids() { return missing; }\n\n";
        o << "namespace text_data {\n";
        o << "const std::int32_t new_testament_byte_length = " << t.new_testament_byte_length
          << ";\n";
        o << "const std::int32_t last_septuagint_offset = " << t.last_septuagint_offset << ";\n";
        o << "const std::int32_t main_file_length = " << t.main_file_length << ";\n";
        o << "const char* const tables_fingerprint = \"" << fingerprint << "\";\n";
        o << "} // namespace text_data\n\n} // namespace veso\n";
        files["text_tables_generated.cpp"] = o.str();
    }
    {
        std::ostringstream o;
        o << generated_header << "\n";
        o << "// The catalogue tree: depth, label, identifier (0 for items with children).\n\n";
        o << "#include \"library/text_tables.h\"\n\n#include <array>\n\nnamespace veso "
             "{\nnamespace {\n\n";
        o << "constexpr std::array<catalogue_entry, " << t.catalogue.size() << "> entries{{\n";
        for (const auto& e : t.catalogue) {
            o << "    {" << e.depth << ", " << literal(e.label) << ", " << e.id << "},\n";
        }
        o << "}};\n\n} // namespace\n\n";
        o << "std::span<const catalogue_entry> catalogue_entries() { return entries; }\n\n";
        o << "} // namespace veso\n";
        files["catalogue_generated.cpp"] = o.str();
    }
    return files;
}

std::string coverage_json(const laid_out_texts& t, const std::string& fingerprint) {
    nlohmann::json j;
    j["fingerprint"] = fingerprint;
    j["missing"] = nlohmann::json::array();
    for (const auto& m : t.missing) {
        j["missing"].push_back({{"id", m.id}, {"title", to_utf8(m.title)}});
    }
    return j.dump(1) + "\n";
}

} // namespace veso::corpus
