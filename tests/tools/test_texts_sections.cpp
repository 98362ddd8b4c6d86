#include "texts/classical_works.h"
#include "texts/passage_rendering.h"
#include "texts/text_checks.h"

#include <gtest/gtest.h>

namespace veso::corpus {
namespace {

std::vector<tei_piece> verse_lines(int count, int first_number = 1) {
    std::vector<tei_piece> lines;
    for (int i = 0; i < count; ++i) {
        tei_piece p;
        p.type = tei_piece::kind::verse;
        p.text = u"στίχος";
        p.line_number = std::to_string(first_number + i);
        lines.push_back(p);
    }
    return lines;
}

std::u16string render(const std::vector<tei_piece>& pieces, line_numbering numbering) {
    std::vector<const tei_piece*> ptrs;
    for (const auto& p : pieces) {
        ptrs.push_back(&p);
    }
    return render_pieces(ptrs, numbering);
}

TEST(RenderPieces, VerseMarksEveryFifthLineByTheEditionsNumbers) {
    auto lines = verse_lines(12);
    lines[6].line_number = "7a"; // a lettered line keeps the count
    lines[7].line_number = "";   // an unnumbered line counts on from the last number
    const std::u16string text = render(lines, line_numbering::verse);
    EXPECT_NE(text.find(u"[5] στίχος\r"), std::u16string::npos);
    EXPECT_NE(text.find(u"[10] στίχος\r"), std::u16string::npos);
    EXPECT_EQ(text.find(u"[7"), std::u16string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\r'), 12);
}

TEST(RenderPieces, ScannedSectionsCarryTheirMarkerOnTheFifthOrThirdLine) {
    // A section whose edition starts at line 9 still shows "[5]" on its fifth line.
    const std::u16string shifted = render(verse_lines(12, 9), line_numbering::scanned);
    const auto lines_before = [](const std::u16string& t, std::u16string_view m) {
        return std::count(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(t.find(m)), u'\r');
    };
    EXPECT_EQ(lines_before(shifted, u"[5]"), 4);
    EXPECT_EQ(shifted.find(u"[3]"), std::u16string::npos);
    EXPECT_NE(shifted.find(u"[15]"), std::u16string::npos);
    const std::u16string shorter = render(verse_lines(4), line_numbering::scanned);
    EXPECT_EQ(lines_before(shorter, u"[3]"), 2);
    EXPECT_EQ(shorter.find(u"[5]"), std::u16string::npos);
    // Division numbers that a prose piece carries never reach a scanned section.
    auto with_prose = verse_lines(6);
    with_prose[0].type = tei_piece::kind::prose;
    with_prose[0].text = u"[3] ἀρχή";
    const std::u16string cleaned = render(with_prose, line_numbering::scanned);
    EXPECT_EQ(cleaned.find(u"[3]"), std::u16string::npos);
    EXPECT_EQ(cleaned.substr(0, 5), u"ἀρχή\r");
}

TEST(ScanSectionStarts, FindsEachSectionAtTheCarriageReturnBeforeItsFirstLine) {
    const std::u16string a = render(verse_lines(7), line_numbering::scanned);
    const std::u16string b = render(verse_lines(3), line_numbering::scanned);
    const std::u16string c = render(verse_lines(20), line_numbering::scanned);
    std::u16string loaded = a + b + c;
    loaded.append(200, u'\0');
    const auto starts = scan_section_starts(loaded, 3);
    ASSERT_EQ(starts.size(), 4u);
    EXPECT_EQ(starts[0], 0);
    EXPECT_EQ(starts[1], static_cast<std::int32_t>(a.size()) - 1);
    EXPECT_EQ(starts[2], static_cast<std::int32_t>(a.size() + b.size()) - 1);
    EXPECT_EQ(starts[3], -1); // no fourth section: the entry is not written
    // A "[15" never counts as a "[5]" marker, and a marker too near the end is not seen.
    std::u16string tail = u"[15]\r[5]";
    tail.append(5, u'\0');
    EXPECT_EQ(scan_section_starts(tail, 0)[0], -1);
}

catalogue_node chapter(const char16_t* label) {
    return {label, 1, {}};
}

TEST(ChapterRanges, NineThenTensLabelledByFirstAndLastChapter) {
    std::vector<catalogue_node> ten;
    for (int i = 1; i <= 10; ++i) {
        ten.push_back({std::u16string(1, u'0' + (i % 10)), i, {}});
    }
    ten.back().label = u"10";
    auto ranges = chapter_ranges(ten);
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_EQ(ranges[0].label, u"1 - 9");
    EXPECT_EQ(ranges[0].children.size(), 9u);
    EXPECT_EQ(ranges[1].label, u"10 - 10");

    // Lettered chapters count as chapters: a full first range is "1 - 9" even when it ends at 8a.
    std::vector<catalogue_node> lettered;
    for (const char16_t* l :
         {u"1",  u"2",  u"3", u"4",  u"5",  u"6",  u"7",  u"8",   u"8a",  u"8b",
          u"8c", u"8d", u"9", u"9a", u"9b", u"9c", u"10", u"10a", u"10b", u"11"}) {
        lettered.push_back(chapter(l));
    }
    ranges = chapter_ranges(lettered);
    ASSERT_EQ(ranges.size(), 3u);
    EXPECT_EQ(ranges[0].label, u"1 - 9");
    EXPECT_EQ(ranges[0].children.back().label, u"8a");
    EXPECT_EQ(ranges[1].label, u"8b - 10b");
    EXPECT_EQ(ranges[2].label, u"11 - 11");

    std::vector<catalogue_node> six(6, chapter(u"x"));
    six.front().label = u"1";
    six.back().label = u"6";
    EXPECT_EQ(chapter_ranges(six).front().label, u"1 - 6");
    EXPECT_TRUE(chapter_ranges({}).empty());
}

} // namespace
} // namespace veso::corpus
