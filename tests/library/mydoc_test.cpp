#include "library/line_number.h"
#include "library/mydoc.h"
#include "library_fakes.h"
#include "synthetic_library.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

namespace veso::testing {
namespace {

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() { reopen(); }

    // A document made afresh over the library as it is now.
    void reopen() {
        doc = std::make_unique<mydoc>(ui, nullptr, library.root());
        doc->use_tables(library.tables());
        doc->attach(&catalogue, &text, &frame);
    }

    std::u16string loaded(std::int32_t from, std::int32_t to) const {
        return std::u16string(doc->text.data() + from, doc->text.data() + to);
    }
    std::u16string shown_line() const {
        std::int32_t end = doc->page_start;
        while (end < doc->text_length && doc->text[end] != u'\r' && doc->text[end] != 0) {
            ++end;
        }
        return loaded(doc->page_start, end);
    }
    // What the text view reports when its layout of the page reached the section's end.
    void layout_reached_section_end() {
        doc->next_page_start = doc->section_end;
        doc->past_section_end = false;
    }
    void layout_stopped_at(std::int32_t position) {
        doc->next_page_start = position;
        doc->past_section_end = false;
    }

    synthetic_library library;
    fake_ui_services ui;
    fake_text_pane text;
    fake_catalogue_pane catalogue;
    fake_frame frame;
    std::unique_ptr<mydoc> doc;
};

TEST_F(DocumentTest, SinglePassageLoadsItsUnitsAndTwoHundredZeros) {
    doc->select_passage(100);
    const auto& expected = library.passage_text(100);
    EXPECT_EQ(doc->text_length, static_cast<std::int32_t>(expected.size()) + 200);
    EXPECT_EQ(loaded(0, static_cast<std::int32_t>(expected.size())), expected);
    for (std::int32_t i = 0; i < 200; ++i) {
        ASSERT_EQ(doc->text[expected.size() + i], 0);
    }
    EXPECT_EQ(doc->section_end, doc->text_length);
    EXPECT_EQ(doc->page_start, 0);
    EXPECT_EQ(doc->page_starts, std::vector<std::int32_t>{0});
    EXPECT_EQ(doc->current_id, 100);
    EXPECT_FALSE(doc->loading);
    EXPECT_EQ(frame.updates, 1);
    EXPECT_EQ(text.silent_restarts, 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DocumentTest, ReadStopsAtEndUnitAndAtEndOfFile) {
    doc->select_passage(110);
    EXPECT_EQ(loaded(0, doc->text_length - 200), with_oxia(u"πρὸ τοῦ τέλους"));

    doc->select_passage(120); // its row runs 500 units past the end of t.dat
    EXPECT_EQ(loaded(0, doc->text_length - 200), library.passage_text(120));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DocumentTest, RowLongerThanBufferIsCutAndReported) {
    // The row points past t.dat's own text at a run longer than the buffer.
    const auto data_file = library.root() / "data" / "t.dat";
    const auto offset = static_cast<std::int32_t>(std::filesystem::file_size(data_file));
    {
        std::ofstream out(data_file, std::ios::binary | std::ios::app);
        const std::string alphas = [] {
            std::string units;
            for (int i = 0; i < mydoc::text_capacity; ++i)
                units += "\xB1\x03"; // α, little-endian
            return units;
        }();
        out << alphas;
    }
    document_tables tables = library.tables();
    std::vector<passage_row> rows(tables.rows.begin(), tables.rows.end());
    for (passage_row& row : rows) {
        if (row.id == 130)
            row.location = {1, 0, offset, 5'000'000, 0, 0};
    }
    tables.rows = rows;
    doc->use_tables(tables);
    doc->select_passage(130);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, doc->passage_too_long_message());
    // As much as fits before the 200 zero units, and those zero units.
    EXPECT_EQ(doc->text_length, mydoc::text_capacity);
    constexpr std::int32_t read = mydoc::text_capacity - 200;
    EXPECT_EQ(std::count(doc->text.begin(), doc->text.begin() + read, u'\u03B1'), read);
    EXPECT_TRUE(std::all_of(doc->text.begin() + read, doc->text.end(),
                            [](char16_t unit) { return unit == 0; }));
    EXPECT_FALSE(doc->loading);
}

TEST_F(DocumentTest, IdentifierWithoutRowLoadsEmptyTextAndNoSections) {
    doc->select_passage(201);
    doc->select_passage(302);
    EXPECT_EQ(doc->text_length, 200);
    EXPECT_EQ(doc->section_count, 0);
    EXPECT_EQ(doc->section, 0);
    EXPECT_EQ(doc->author_number, 1);
    EXPECT_EQ(doc->file_offset, 0);
    EXPECT_EQ(doc->section_end, 200);
    EXPECT_EQ(doc->current_id, 302);
    layout_stopped_at(0);
    doc->page_forward();
    doc->page_backward();
    EXPECT_EQ(doc->page_start, 0);
    EXPECT_TRUE(catalogue.selected.empty());
}

TEST_F(DocumentTest, MissingMainFileSaysWhereItLookedAndKeepsLoading) {
    doc->select_passage(100);
    library.remove_file("t.dat");
    doc->select_passage(200);
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::u16string folder = (library.root() / "data").u16string();
    EXPECT_NE(ui.messages[0].text.find(u"holds t.dat.\n\n    " + folder + u"\n"),
              std::u16string::npos);
    EXPECT_NE(
        ui.messages[0].text.find(u"veso-build-data --corpus ../shared/corpus --out " + folder),
        std::u16string::npos);
    EXPECT_EQ(ui.messages[0].caption, u"Veso");
    EXPECT_TRUE(doc->loading);
    EXPECT_EQ(doc->author_number, 1);
    EXPECT_EQ(doc->current_id, 100); // the earlier passage stays
    EXPECT_EQ(frame.updates, 1);
}

// Damage found when the document is made (sizes against the manifest): the damaged file is not
// read, the message names it and the command that rebuilds it, and the sound files still serve.
TEST_F(DocumentTest, DamagedFilesAreNamedAndNotRead) {
    library.write_manifest();
    std::filesystem::resize_file(library.data_file("l.dat"),
                                 std::filesystem::file_size(library.data_file("l.dat")) / 2);
    reopen();
    doc->select_passage(600);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(u"    l.dat: not the size it was built with\n"),
              std::u16string::npos);
    EXPECT_NE(ui.messages[0].text.find(u"--out " + (library.root() / "data").u16string()),
              std::u16string::npos);
    EXPECT_TRUE(doc->loading);
    EXPECT_EQ(frame.updates, 0);

    doc->select_passage(100);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(loaded(0, doc->text_length - 200), library.passage_text(100));

    std::filesystem::resize_file(library.data_file("t.dat"), 10);
    reopen();
    doc->select_passage(100);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[1].text.find(u"    t.dat: not the size it was built with\n"),
              std::u16string::npos);
    EXPECT_EQ(doc->text_length, 0);
}

TEST_F(DocumentTest, MissingOtherFileStopsWithoutMessage) {
    library.remove_file("l.dat");
    doc->select_passage(600);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(doc->loading);
    EXPECT_EQ(frame.updates, 0);
}

TEST_F(DocumentTest, FingerprintMismatchLoadsNothingAndNamesTheRebuild) {
    library.write_fingerprint("tables-of-another-build");
    doc->select_passage(100);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(u"veso-build-data --corpus ../shared/corpus --out " +
                                       (library.root() / "data").u16string()),
              std::u16string::npos);
    EXPECT_TRUE(doc->loading);
    EXPECT_EQ(doc->text_length, 0);
    EXPECT_EQ(frame.updates, 0);

    library.remove_file("tables.fingerprint");
    doc->select_passage(100);
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(doc->text_length, 0);

    library.write_fingerprint(std::string(synthetic_library::fingerprint) + "\n");
    doc->select_passage(100);
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_FALSE(doc->loading);
}

TEST_F(DocumentTest, MarkerScanStartsSectionsLinesAboveTheirMarkers) {
    doc->select_passage(200);
    ASSERT_EQ(doc->section_count, 3);
    for (int j = 0; j <= 3; ++j) {
        EXPECT_EQ(doc->section_starts[j], library.poem_section_start(j)) << "section " << j;
    }
    // Section 0 of a scanned work shows from the start of the loaded text.
    EXPECT_EQ(doc->page_start, 0);
    EXPECT_EQ(doc->section_end, library.poem_section_start(1));
}

TEST_F(DocumentTest, SectionShowsFromItsStartAndStopsAtTheNext) {
    doc->select_passage(202);
    EXPECT_EQ(doc->section, 2);
    EXPECT_EQ(doc->page_start, library.poem_section_start(2));
    EXPECT_EQ(doc->section_end, library.poem_section_start(3));
    EXPECT_EQ(doc->page_starts, std::vector<std::int32_t>{library.poem_section_start(2)});

    doc->select_passage(203);
    EXPECT_EQ(doc->section_end, doc->text_length);
}

TEST_F(DocumentTest, PagingWithinSectionAndBackRetracesPages) {
    doc->select_passage(201);
    const std::int32_t first = doc->page_start;
    layout_stopped_at(first + 10);
    doc->page_forward();
    layout_stopped_at(first + 20);
    doc->page_forward();
    EXPECT_EQ(doc->page_starts, (std::vector<std::int32_t>{first, first + 10, first + 20}));
    doc->page_backward();
    EXPECT_EQ(doc->page_start, first + 10);
    doc->page_backward();
    EXPECT_EQ(doc->page_start, first);
    EXPECT_TRUE(catalogue.selected.empty());
}

TEST_F(DocumentTest, PagingAcrossSectionsMovesTheTreeAndLandsOnFirstPage) {
    doc->select_passage(201);
    layout_reached_section_end();
    doc->page_forward();
    EXPECT_EQ(doc->section, 2);
    EXPECT_EQ(doc->current_id, 202);
    EXPECT_EQ(catalogue.selected, std::vector<std::int32_t>{202});
    EXPECT_EQ(doc->page_start, library.poem_section_start(2));
    EXPECT_EQ(doc->section_end, library.poem_section_start(3));

    layout_stopped_at(doc->page_start + 5);
    doc->page_forward();
    doc->page_backward();
    doc->page_backward(); // first page of section 2: back to the first page of section 1
    EXPECT_EQ(doc->section, 1);
    EXPECT_EQ(doc->current_id, 201);
    EXPECT_EQ(doc->page_start, library.poem_section_start(1));
    EXPECT_EQ(doc->section_end, library.poem_section_start(2));
}

TEST_F(DocumentTest, LayoutPastSectionEndOrZeroUnitCountsAsSectionEnd) {
    doc->select_passage(200);
    doc->next_page_start = 5;
    doc->past_section_end = true;
    doc->page_forward();
    EXPECT_EQ(doc->section, 1);

    doc->select_passage(203);
    layout_stopped_at(doc->text_length - 200); // the zero units after the text
    doc->page_forward();
    EXPECT_EQ(doc->section, 3);
    EXPECT_EQ(doc->page_starts.size(), 1u);
}

TEST_F(DocumentTest, LastPageOfWorkOrSinglePassageStays) {
    doc->select_passage(203);
    const std::int32_t start = doc->page_start;
    layout_reached_section_end();
    doc->page_forward();
    EXPECT_EQ(doc->page_start, start);
    EXPECT_EQ(doc->current_id, 203);

    doc->select_passage(100);
    layout_reached_section_end();
    doc->page_forward();
    EXPECT_EQ(doc->current_id, 100);
    EXPECT_TRUE(catalogue.selected.empty());
}

TEST_F(DocumentTest, PagingSkipsIdentifiersWithoutRowWithinWork) {
    doc->select_passage(301);
    EXPECT_EQ(doc->page_start, library.prose_section_start(1));
    layout_reached_section_end();
    doc->page_forward();
    EXPECT_EQ(doc->current_id, 303);
    EXPECT_EQ(doc->section, 2);
    EXPECT_EQ(catalogue.selected, std::vector<std::int32_t>{303});
    doc->page_backward();
    EXPECT_EQ(doc->current_id, 301);
}

TEST_F(DocumentTest, PagingFollowsTheWorkWhenIdentifiersInterleave) {
    doc->select_passage(401);
    layout_reached_section_end();
    doc->page_forward();
    EXPECT_EQ(doc->current_id, 410); // not 402, which belongs to the next ode
    EXPECT_EQ(doc->section, 2);
    doc->page_backward();
    EXPECT_EQ(doc->current_id, 401);
}

TEST_F(DocumentTest, SectionMissingFromTextEndsTheWork) {
    doc->select_passage(403);
    EXPECT_EQ(doc->section_starts[2], doc->text_length - 200);
    layout_reached_section_end();
    doc->page_forward();
    EXPECT_EQ(doc->current_id, 403);
    EXPECT_EQ(doc->section, 1);
    EXPECT_TRUE(catalogue.selected.empty());
}

TEST_F(DocumentTest, SeptuagintStepsToNextChapterButNeverBack) {
    doc->select_passage(600);
    EXPECT_EQ(loaded(0, doc->text_length - 200), library.passage_text(600));
    layout_reached_section_end();
    doc->page_forward();
    EXPECT_EQ(doc->current_id, 601);
    EXPECT_EQ(catalogue.selected, std::vector<std::int32_t>{601});
    EXPECT_EQ(loaded(0, doc->text_length - 200), library.passage_text(601));

    layout_reached_section_end();
    doc->page_forward(); // 602 has no row
    EXPECT_EQ(doc->current_id, 603);
    EXPECT_EQ(loaded(0, doc->text_length - 200), library.passage_text(603));

    layout_reached_section_end();
    doc->page_forward(); // the last chapter
    EXPECT_EQ(doc->current_id, 603);
    doc->page_backward();
    EXPECT_EQ(doc->current_id, 603);
    EXPECT_EQ(catalogue.selected, (std::vector<std::int32_t>{601, 603}));
}

TEST_F(DocumentTest, NewTestamentAndFragmentsShowSectionZeroFromTable) {
    doc->select_passage(700);
    EXPECT_EQ(doc->page_start, 3);
    EXPECT_EQ(doc->byte_length, static_cast<std::int32_t>(library.passage_text(700).size() * 2));
    EXPECT_EQ(shown_line(), u"ΚΕΦΑΛΑΙΟΝ 1");
    doc->select_passage(702);
    EXPECT_EQ(shown_line(), u"ΚΕΦΑΛΑΙΟΝ 3");

    doc->select_passage(800);
    EXPECT_EQ(doc->page_start, 1);
    EXPECT_EQ(doc->author_number, 38);
}

TEST_F(DocumentTest, ShortReadKeepsTableSectionsInsideText) {
    // The prose work's rows point at the last two units of t.dat: its table starts lie beyond
    // what is read and are pulled back to the end of the text.
    const auto file_bytes =
        static_cast<std::int32_t>(std::filesystem::file_size(library.root() / "data" / "t.dat"));
    auto rows =
        std::vector<passage_row>(library.tables().rows.begin(), library.tables().rows.end());
    for (auto& row : rows) {
        if (row.location.author_number == 14) {
            row.location.file_offset = file_bytes - 4;
        }
    }
    auto tables = library.tables();
    tables.rows = rows;
    doc->use_tables(tables);
    doc->select_passage(303);
    EXPECT_EQ(doc->text_length, 202);
    for (int j = 0; j <= doc->section_count; ++j) {
        EXPECT_EQ(doc->section_starts[j], 2);
    }
    EXPECT_EQ(doc->page_start, 2);
}

class GotoTest : public DocumentTest {
protected:
    void go(std::optional<std::u16string> typed) {
        ui.replies.push_back(std::move(typed));
        doc->goto_line();
    }
};

TEST_F(GotoTest, MarkerPrefixFindsLongerNumbersAndSearchesWholeWork) {
    doc->select_passage(200);
    go(u"17"); // "[15" first matches "[150]" in section 1
    EXPECT_EQ(loaded(doc->page_start, doc->page_start + 5), u"[150]");
    EXPECT_EQ(doc->section, 0);
    EXPECT_EQ(doc->page_starts.size(), 1u);

    go(u"12"); // "[10" lies in section 3; the section does not change
    EXPECT_EQ(loaded(doc->page_start, doc->page_start + 4), u"[10]");
    EXPECT_EQ(doc->section, 0);
    EXPECT_EQ(doc->section_end, library.poem_section_start(1));
}

TEST_F(GotoTest, RoundsTowardZeroIncludingNegatives) {
    doc->select_passage(200);
    go(u"-7");
    EXPECT_EQ(loaded(doc->page_start, doc->page_start + 4), u"[-5]");
}

TEST_F(GotoTest, ZeroOrNonNumberShowsStartOfWork) {
    doc->select_passage(202);
    go(u"3");
    EXPECT_EQ(doc->page_start, 0);
    doc->select_passage(202);
    go(u"ἄλφα");
    EXPECT_EQ(doc->page_start, 0);
    EXPECT_EQ(doc->section, 2);
}

TEST_F(GotoTest, CancelEmptyOrAbsentMarkerLeavesPage) {
    doc->select_passage(202);
    const std::int32_t start = doc->page_start;
    const int restarts = text.restarts;
    go(std::nullopt);
    go(u"");
    go(u"995");
    EXPECT_EQ(doc->page_start, start);
    EXPECT_EQ(text.restarts, restarts);
    EXPECT_EQ(ui.dialogs.size(), 3u);
}

TEST(LineNumber, ReadsLikeWideDecimalConversion) {
    EXPECT_EQ(wide_to_int(u"  \t42abc"), 42);
    EXPECT_EQ(wide_to_int(u"+17"), 17);
    EXPECT_EQ(wide_to_int(u"-12"), -12);
    EXPECT_EQ(wide_to_int(u"abc"), 0);
    EXPECT_EQ(wide_to_int(u"- 5"), 0);
    EXPECT_EQ(wide_to_int(u"99999999999999"), 2147483647);
    EXPECT_EQ(wide_to_int(u"-99999999999999"), -2147483647 - 1);
    EXPECT_EQ(round_to_marker_step(17), 15);
    EXPECT_EQ(round_to_marker_step(-7), -5);
    EXPECT_EQ(round_to_marker_step(4), 0);
    EXPECT_EQ(round_to_marker_step(-2147483647 - 1), -2147483645);
}

TEST_F(DocumentTest, TogglesCatalogueColumnAndRefusesFiles) {
    doc->toggle_catalogue_pane();
    doc->toggle_catalogue_pane();
    EXPECT_TRUE(doc->catalogue_pane_shown);
    EXPECT_EQ(frame.columns, (std::vector<std::pair<int, int>>{{0, 0}, {200, 100}}));
    EXPECT_FALSE(doc->open_document(library.root() / "data" / "t.dat"));
    EXPECT_EQ(doc->text_length, 0);
}

TEST_F(DocumentTest, NothingLoadedMeansNoPaging) {
    // State that would page if a text were loaded: a next page inside the section, an earlier
    // page to go back to, and a further section.
    doc->text[5] = u'a';
    doc->next_page_start = 5;
    doc->section_end = 100;
    doc->page_starts = {0, 3};
    doc->page_start = 3;
    doc->section_count = 2;
    doc->page_forward();
    doc->page_backward();
    EXPECT_EQ(doc->page_start, 3);
    EXPECT_EQ(doc->page_starts, (std::vector<std::int32_t>{0, 3}));
    EXPECT_EQ(doc->section, 0);
    EXPECT_EQ(text.restarts, 0);
    EXPECT_TRUE(catalogue.selected.empty());
}

} // namespace
} // namespace veso::testing
