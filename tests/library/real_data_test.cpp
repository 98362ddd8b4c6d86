#include "library/catalogue_tree.h"
#include "library/coverage.h"
#include "library/mydoc.h"
#include "library_fakes.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>

namespace veso::testing {
namespace {

// The document on the data built from the corpus, paged the way the text view reports pages.
class RealDataTest : public ::testing::Test {
protected:
    RealDataTest() : doc(std::make_unique<mydoc>(ui, nullptr, VESO_REAL_DATA_ROOT)) {
        doc->attach(&catalogue, &text, &frame);
    }
    void layout_reached_section_end() {
        doc->next_page_start = doc->section_end;
        doc->past_section_end = false;
    }
    void expect_loaded() {
        ASSERT_TRUE(ui.messages.empty()) << "data missing or not matching the program";
        ASSERT_FALSE(doc->loading);
    }

    fake_ui_services ui;
    fake_text_pane text;
    fake_catalogue_pane catalogue;
    fake_frame frame;
    std::unique_ptr<mydoc> doc;
};

// The leaves no open edition has: Hypereides' second speech for Lycophron, Sappho's fragment 89
// (not in the treebank), the Septuagint's Judges A and Tobit S.
std::set<std::int32_t> leaves_no_open_edition_has() {
    std::set<std::int32_t> ids = {40329, 47343 + 88};
    for (std::int32_t id = 50316; id <= 50336; ++id) {
        ids.insert(id);
    }
    for (std::int32_t id = 50601; id <= 50614; ++id) {
        ids.insert(id);
    }
    return ids;
}

const section_start_table* table_for(std::int32_t author, std::int32_t work) {
    for (const auto& t : section_start_tables()) {
        if ((t.author_number == 0 || t.author_number == author) &&
            (t.work_code == -1 || t.work_code == work)) {
            return &t;
        }
    }
    return nullptr;
}

TEST_F(RealDataTest, IliadSectionFiveShowsFromItsStartAndStopsAtSix) {
    doc->select_passage(40519 + 5);
    ASSERT_NO_FATAL_FAILURE(expect_loaded());
    EXPECT_EQ(doc->author_number, 17);
    EXPECT_EQ(doc->section, 5);
    EXPECT_EQ(doc->section_count, 23);
    ASSERT_TRUE(std::is_sorted(doc->section_starts.begin(), doc->section_starts.begin() + 24));
    EXPECT_GT(doc->section_starts[5], doc->section_starts[4]);
    EXPECT_EQ(doc->page_start, doc->section_starts[5]);
    EXPECT_EQ(doc->section_end, doc->section_starts[6]);
    // The section's fifth line carries "[5]": it lies within the section's first lines.
    const std::u16string_view shown(doc->text.data() + doc->page_start,
                                    static_cast<std::size_t>(doc->section_end - doc->page_start));
    const auto marker = shown.find(u"[5]");
    ASSERT_NE(marker, std::u16string_view::npos);
    EXPECT_EQ(std::count(shown.begin(), shown.begin() + static_cast<std::ptrdiff_t>(marker), u'\r'),
              5);

    layout_reached_section_end();
    doc->page_forward();
    EXPECT_EQ(doc->section, 6);
    EXPECT_EQ(doc->current_id, 40525);
    EXPECT_EQ(catalogue.selected, std::vector<std::int32_t>{40525});
    EXPECT_EQ(doc->page_start, doc->section_starts[6]);

    doc->select_passage(40519 + 23);
    EXPECT_EQ(doc->section_end, doc->text_length);
}

TEST_F(RealDataTest, NewTestamentSectionZeroStartsAtFirstTableEntry) {
    doc->select_passage(47461);
    ASSERT_NO_FATAL_FAILURE(expect_loaded());
    const auto* table = table_for(44, 32);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(doc->page_start, table->starts[0]);
    EXPECT_EQ(doc->byte_length, text_data::new_testament_byte_length);
    EXPECT_EQ(doc->section_count, 259);
}

TEST_F(RealDataTest, LastPageOfSeptuagintChapterLoadsTheNext) {
    doc->select_passage(50104);
    ASSERT_NO_FATAL_FAILURE(expect_loaded());
    EXPECT_EQ(doc->file_offset, 8);
    const auto next = doc->location_of(50105);
    ASSERT_TRUE(next);
    layout_reached_section_end();
    doc->page_forward();
    EXPECT_EQ(doc->current_id, 50105);
    EXPECT_EQ(doc->file_offset, next->file_offset);
    EXPECT_EQ(catalogue.selected, std::vector<std::int32_t>{50105});

    doc->select_passage(50945);
    layout_reached_section_end();
    doc->page_forward();
    EXPECT_EQ(doc->current_id, 50947);

    doc->select_passage(51280);
    EXPECT_EQ(doc->file_offset, text_data::last_septuagint_offset);
    layout_reached_section_end();
    doc->page_forward();
    EXPECT_EQ(doc->current_id, 51280);
}

// Section starts increase through the text; rows past an edition's last section (found by no
// marker) start at the end of the text.
TEST_F(RealDataTest, EveryRowFitsAndSectionStartsIncrease) {
    for (const auto& row : passage_rows()) {
        if (row.location.section != 0) {
            continue;
        }
        doc->select_passage(row.id);
        ASSERT_TRUE(ui.messages.empty()) << row.id;
        const std::int32_t end = doc->text_length - 200;
        for (int j = 1; j <= doc->section_count; ++j) {
            const auto before = doc->section_starts[j - 1];
            const auto start = doc->section_starts[j];
            ASSERT_TRUE(before < start || (before == end && start == end))
                << "identifier " << row.id << " section " << j;
        }
    }
}

// The leaves found without Greek text are those the data builder recorded as missing.
TEST_F(RealDataTest, CoverageAgreesWithBuilderRecord) {
    std::ifstream in(std::string(VESO_REAL_DATA_ROOT) + "/data/coverage.json");
    ASSERT_TRUE(in);
    const auto record = nlohmann::json::parse(in);
    std::set<std::int32_t> recorded;
    for (const auto& m : record.at("missing")) {
        recorded.insert(m.at("id").get<std::int32_t>());
    }
    const auto leaves = leaves_without_text(*doc);
    ASSERT_TRUE(leaves);
    std::set<std::int32_t> found;
    for (const auto& leaf : *leaves) {
        found.insert(leaf.id);
        EXPECT_FALSE(leaf.title.empty());
    }
    EXPECT_EQ(found, recorded);
    EXPECT_EQ(found, leaves_no_open_edition_has());
}

// The acute of test literals typed with tonos, as the texts write it: with oxia.
std::u16string oxia(std::u16string text) {
    const std::u16string_view tonos = u"\u03AC\u03AD\u03AE\u03AF\u03CC\u03CD\u03CE";
    const std::u16string_view acute = u"\u1F71\u1F73\u1F75\u1F77\u1F79\u1F7B\u1F7D";
    for (char16_t& c : text) {
        if (const auto at = tonos.find(c); at != std::u16string_view::npos) {
            c = acute[at];
        }
    }
    return text;
}

TEST_F(RealDataTest, NewlyStagedTextsOpenWithTheirFirstWords) {
    struct opening {
        std::int32_t id;
        std::int32_t author;
        std::u16string first_words;
    };
    const opening openings[] = {
        {47343, 38, u"ποικιλόθρον’ ἀθανάτ’ Ἀφρόδιτα, παῖ Δίος δολόπλοκε, λίσσομαί σε,"},
        {47343 + 30, 38, u"φαίνεταί μοι κῆνος ἴσος θέοισιν ἔμμεν’ ὤνηρ,"},
        {40404, 27, u"[1] περὶ δὲ τῆς Ἀθηναίων πολιτείας, ὅτι μὲν εἵλοντο τοῦτον τὸν τρόπον"},
        {46512, 12, u"[1] ἦν δὲ καὶ Σόλων πατρὸς μὲν Ἐξηκεστίδου, τὸ γένος ἐκ Σαλαμῖνος"},
        // The first of the five fragments of uncertain place, in the rows after Book 10, 29.
        {46578, 12, u"[1] τὸ τελευταῖον πολλαῖς γενεαῖς ὕστερον ἐκ τῆς Ἰταλίας"}};
    for (const opening& o : openings) {
        doc->select_passage(o.id);
        ASSERT_NO_FATAL_FAILURE(expect_loaded());
        EXPECT_EQ(doc->author_number, o.author) << o.id;
        const std::u16string_view shown(
            doc->text.data() + doc->page_start,
            static_cast<std::size_t>(doc->section_end - doc->page_start));
        const std::u16string expected = oxia(o.first_words);
        EXPECT_EQ(shown.substr(0, expected.size()), expected) << o.id;
    }
    // Sappho's fragments fill the lyric file, each leaf its own section.
    doc->select_passage(47343 + 117);
    EXPECT_EQ(doc->section, 117);
    EXPECT_EQ(doc->section_end, doc->text_length);
    EXPECT_LT(doc->page_start, doc->section_end - 200);
}

} // namespace
} // namespace veso::testing
