// Checks the text files built from the open corpus against the tables compiled into the program.
#include "texts/build_texts.h"
#include "texts/text_checks.h"

// The generated tables are compiled into this test directly: the builder's library does not link
// the program's.
#include "library/generated/catalogue_generated.cpp"
#include "library/generated/text_tables_generated.cpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>

namespace veso {
namespace {

namespace fs = std::filesystem;

const fs::path data_folder = fs::path(VESO_REAL_DATA_ROOT) / "data";

std::string read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::u16string units(const std::string& bytes, std::size_t offset, std::size_t length) {
    std::u16string out;
    for (std::size_t i = offset; i + 1 < offset + length && i + 1 < bytes.size(); i += 2) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return out;
}

const passage_row& row(std::int32_t id) {
    const auto rows = passage_rows();
    const auto it = std::lower_bound(rows.begin(), rows.end(), id,
                                     [](const passage_row& r, std::int32_t v) { return r.id < v; });
    EXPECT_TRUE(it != rows.end() && it->id == id) << id;
    return *it;
}

class RealTexts : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        main_file = new std::string(read_bytes(data_folder / "t.dat"));
        septuagint = new std::string(read_bytes(data_folder / "l.dat"));
        new_testament = new std::string(read_bytes(data_folder / "nt.dat"));
    }
    static void TearDownTestSuite() {
        delete main_file;
        delete septuagint;
        delete new_testament;
    }
    static std::string* main_file;
    static std::string* septuagint;
    static std::string* new_testament;
};
std::string* RealTexts::main_file = nullptr;
std::string* RealTexts::septuagint = nullptr;
std::string* RealTexts::new_testament = nullptr;

TEST_F(RealTexts, FilesMatchTheCompiledConstantsAndFingerprint) {
    EXPECT_EQ(read_bytes(data_folder / "tables.fingerprint"), text_data::tables_fingerprint);
    EXPECT_EQ(static_cast<std::int64_t>(main_file->size()), text_data::main_file_length);
    EXPECT_EQ(static_cast<std::int64_t>(new_testament->size()),
              text_data::new_testament_byte_length);
    const passage_row& last = row(51280);
    EXPECT_EQ(last.location.file_offset, text_data::last_septuagint_offset);
    EXPECT_EQ(static_cast<std::int64_t>(septuagint->size()),
              last.location.file_offset + last.location.byte_length);
}

TEST_F(RealTexts, TablesHaveTheCataloguesCountsAndEveryPassageFitsTheBuffer) {
    EXPECT_EQ(passage_rows().size(), 5867u);
    EXPECT_EQ(catalogue_entries().size(), 6480u);
    EXPECT_EQ(section_start_tables().size(), 13u);
    for (const passage_row& r : passage_rows()) {
        EXPECT_LE(r.location.byte_length / 2 + 200, 2'000'000) << r.id;
    }
    // The coverage list names exactly the passages the program lists as missing.
    const auto coverage = nlohmann::json::parse(read_bytes(data_folder / "coverage.json"));
    std::vector<std::int32_t> listed;
    for (const auto& m : coverage["missing"]) {
        listed.push_back(m["id"].get<std::int32_t>());
    }
    const auto ids = missing_passage_ids();
    EXPECT_EQ(listed, std::vector<std::int32_t>(ids.begin(), ids.end()));
    EXPECT_EQ(coverage["fingerprint"], text_data::tables_fingerprint);
    const passage_row& lycophron = row(40329);
    const std::u16string notice =
        units(*main_file, static_cast<std::size_t>(lycophron.location.file_offset),
              static_cast<std::size_t>(lycophron.location.byte_length));
    EXPECT_EQ(notice, u"Second Speech in Defence of Lycophron, Hypereides (c. 390-322 BCE): the "
                      u"text is not in the open corpus from which these files were built.\r");
}

std::int32_t leaf_id(std::u16string_view label) {
    for (const auto& e : catalogue_entries()) {
        if (e.id != 0 && std::u16string_view(e.label) == label) {
            return e.id;
        }
    }
    ADD_FAILURE() << "no leaf labelled so";
    return 0;
}

// The lines of a passage of the main file.
std::vector<std::u16string> lines_of(const std::string& file, std::int32_t id) {
    const passage_row& r = row(id);
    const std::u16string text = units(file, static_cast<std::size_t>(r.location.file_offset),
                                      static_cast<std::size_t>(r.location.byte_length));
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find(u'\r', start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::u16string::npos ? text.size() : end + 1;
    }
    return lines;
}

TEST_F(RealTexts, EveryPlayShowsItsSpeakersAndKeepsItsApostrophes) {
    for (const char16_t* play : {u"Clouds", u"Frogs", u"Birds", u"Ecclesiazusae", u"Lysistrata",
                                 u"Acharnians", u"Agamemnon"}) {
        const auto lines = lines_of(*main_file, leaf_id(play));
        ASSERT_FALSE(lines.empty());
        // The play opens with its first speaker, and the speaker changes hundreds of times.
        EXPECT_TRUE(lines[0].starts_with(u"\u00B2") && lines[0].ends_with(u"\u00B3"))
            << std::string(play, play + 3);
        const auto speakers = std::count_if(lines.begin(), lines.end(), [](const auto& l) {
            return l.starts_with(u"\u00B2") && l.ends_with(u"\u00B3");
        });
        EXPECT_GT(speakers, 150) << std::string(play, play + 3);
    }
    // Frogs without its list of characters, with a change of speaker inside line 5.
    const auto frogs = lines_of(*main_file, leaf_id(u"Frogs"));
    EXPECT_EQ(frogs[0], u"\u00B2\u039E\u03B1\u03BD\u03B8\u1F77\u03B1\u03C2\u00B3"); // Ξανθίας
    EXPECT_TRUE(frogs[1].starts_with(u"\u0395\u1F34\u03C0\u03C9 \u03C4\u03B9")); // Εἴπω τι
    EXPECT_NE(frogs[7].find(u" \u00B2\u0394\u03B9\u1F79\u03BD\u03C5\u03C3\u03BF\u03C2\u00B3 "),
              std::u16string::npos); // "... τι; ²Διόνυσος³ πλήν ..."
    // Lysistrata 2, with its aphaeresis marks: ἢ ’ς Πανὸς ἢ ’πὶ Κωλιάδ’ ἢ ’ς Γενετυλλίδος,
    const auto lysistrata = lines_of(*main_file, leaf_id(u"Lysistrata"));
    EXPECT_EQ(lysistrata[2], u"\u1F22 \u2019\u03C2 \u03A0\u03B1\u03BD\u1F78\u03C2 \u1F22 "
                             u"\u2019\u03C0\u1F76 \u039A\u03C9\u03BB\u03B9\u1F71\u03B4\u2019 "
                             u"\u1F22 \u2019\u03C2 \u0393\u03B5\u03BD\u03B5\u03C4\u03C5\u03BB"
                             u"\u03BB\u1F77\u03B4\u03BF\u03C2,");
    // The ano teleia is the Greek mark, never the middle dot.
    for (const std::string* file : {main_file, septuagint, new_testament}) {
        const std::u16string text = units(*file, 0, file->size());
        EXPECT_EQ(text.find(u'\u00B7'), std::u16string::npos);
        EXPECT_NE(text.find(u'\u0387'), std::u16string::npos);
    }
}

TEST_F(RealTexts, SeptuagintBeginsAtByteEightInIdentifierOrder) {
    EXPECT_EQ(row(50104).location.file_offset, 8);
    std::int32_t end = 8;
    for (const passage_row& r : passage_rows()) {
        if (r.location.work_code != 40) {
            continue;
        }
        EXPECT_EQ(r.location.file_offset, end) << r.id;
        end = r.location.file_offset + r.location.byte_length;
    }
    const std::u16string genesis1 = units(*septuagint, 8, 40);
    EXPECT_EQ(genesis1.substr(0, 4), u"[1] ");
}

TEST_F(RealTexts, IliadSectionsAreFoundByTheirMarkers) {
    const passage_location& iliad = row(40519).location;
    std::u16string loaded = units(*main_file, static_cast<std::size_t>(iliad.file_offset),
                                  static_cast<std::size_t>(iliad.byte_length));
    const auto length = loaded.size();
    loaded.append(200, u'\0');
    const auto starts = corpus::scan_section_starts(loaded, iliad.section_count);
    ASSERT_EQ(starts.size(), 24u);
    EXPECT_EQ(starts[0], 0);
    for (std::size_t j = 1; j < starts.size(); ++j) {
        ASSERT_GT(starts[j], starts[j - 1]) << j;
        EXPECT_EQ(loaded[static_cast<std::size_t>(starts[j])], u'\r');
    }
    EXPECT_LT(static_cast<std::size_t>(starts.back()), length);
    // Section 5 runs from its start to section 6's and holds its own "[5]" and no other.
    const std::u16string book6 = loaded.substr(static_cast<std::size_t>(starts[5]),
                                               static_cast<std::size_t>(starts[6] - starts[5]));
    EXPECT_EQ(book6.find(u"[5]"), book6.rfind(u"[5]"));
    EXPECT_EQ(std::count(book6.begin(),
                         book6.begin() + static_cast<std::ptrdiff_t>(book6.find(u"[5]")), u'\r'),
              5);
}

TEST_F(RealTexts, NewTestamentSectionZeroStartsAtItsFirstTableEntry) {
    const auto& nt_table = section_start_tables().back();
    ASSERT_EQ(nt_table.starts.size(), 260u);
    const std::u16string nt = units(*new_testament, 0, new_testament->size());
    const std::u16string first = nt.substr(static_cast<std::size_t>(nt_table.starts[0]), 20);
    EXPECT_EQ(first.substr(0, 5), u"\u00B2ΚΑΤΑ");
    // Every chapter starts on a line of its own.
    for (std::size_t j = 1; j < nt_table.starts.size(); ++j) {
        EXPECT_EQ(nt[static_cast<std::size_t>(nt_table.starts[j]) - 1], u'\r') << j;
    }
}

TEST_F(RealTexts, AgainIdenticalAndTheCommittedGeneratedSourcesAreCurrent) {
    const fs::path scratch = fs::temp_directory_path() / "veso-real-texts";
    fs::remove_all(scratch);
    fs::create_directories(scratch / "generated");
    corpus::built_texts built;
    nlohmann::json report;
    ASSERT_TRUE(
        corpus::build_text_files(VESO_CORPUS_DIR, scratch, scratch / "generated", built, report));
    for (const char* name :
         {"t.dat", "s.dat", "nt.dat", "l.dat", "tables.fingerprint", "coverage.json"}) {
        EXPECT_TRUE(read_bytes(scratch / name) == read_bytes(data_folder / name)) << name;
    }
    // Not found through __FILE__: a compiler cache may make that path relative.
    const fs::path committed = fs::path(VESO_SOURCE_DIR) / "src" / "library" / "generated";
    for (const char* name : {"text_tables_generated.cpp", "catalogue_generated.cpp"}) {
        EXPECT_TRUE(read_bytes(scratch / "generated" / name) == read_bytes(committed / name))
            << name << " differs from the builder's output: rerun veso-build-data --generated";
    }
    EXPECT_FALSE(built.passages.empty());
    EXPECT_EQ(report["texts"]["leaves_with_text"], 5823);
    fs::remove_all(scratch);
}

} // namespace
} // namespace veso
