#include "common/unicode_text.h"
#include "texts/bible_texts.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace veso::corpus {
namespace {

namespace fs = std::filesystem;

class BibleTexts : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("veso-bible-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        fs::create_directories(root / "swete");
        fs::create_directories(root / "brenton");
        fs::create_directories(root / "sblgnt");
    }
    void TearDown() override { fs::remove_all(root); }

    void write(const fs::path& file, std::string_view text) {
        std::ofstream(file, std::ios::binary) << text;
    }

    fs::path root;
};

outline_author author(std::u16string label, std::vector<outline_work> works, std::int32_t first) {
    int leaves = 0;
    for (const auto& w : works) {
        leaves += w.leaves;
    }
    return {u"  Religion",   std::move(label), 44, leaves, {{first, first + leaves - 1}},
            std::move(works)};
}

TEST_F(BibleTexts, SeptuagintMapsSweteChaptersToTheCatalogues) {
    // Joel: Swete's three chapters become four (chapter 2 splits before verse 28);
    // Malachi: Swete's four become three (4 is read with 3).
    write(
        root / "swete" / "39.Joel.txt",
        "39.1.1 ΛΟΓΟΣ\n39.1.1 κυρίου\n39.2.1 σαλπίσατε\n39.2.28 καὶ\n39.2.28 ἔσται\n39.3.1 ὅτι\n");
    write(root / "swete" / "47.Malachias.txt",
          "47.1.1 λῆμμα\n47.2.1 καὶ\n47.3.1 ἰδοὺ\n47.4.1 διότι\n");
    author_texts out;
    std::string error;
    const auto lxx = author(u"LXX", {{u"Ioel", 4}, {u"Mal", 3}}, 50104);
    ASSERT_TRUE(build_septuagint(lxx, root / "swete", root / "brenton", out, error)) << error;
    ASSERT_EQ(out.works.size(), 7u);
    ASSERT_EQ(out.node.children.size(), 2u);
    const auto& joel = out.node.children[0];
    ASSERT_EQ(joel.children.size(), 4u);
    EXPECT_EQ(joel.children[2].label, u"3");
    EXPECT_EQ(joel.children[2].id, 50106);
    EXPECT_EQ(out.works[2].sections[0].text, normalise_greek(u"[28] καὶ ἔσται\r"));
    EXPECT_EQ(out.works[2].kind, work_kind::chapter);
    EXPECT_EQ(out.works[2].work_code, 40);
    EXPECT_EQ(out.works[6].sections[0].text, normalise_greek(u"[1] ἰδοὺ\r[1] διότι\r"));
}

TEST_F(BibleTexts, SeptuagintGapsAndBrentonChapters) {
    for (int c = 1; c <= 2; ++c) {
        write(root / "brenton" / ("grcbrent_008_JDG_0" + std::to_string(c) + "_read.txt"),
              "\xEF\xBB\xBFΚΡΙΤΑΙ.\n" + std::to_string(c) + ".\nκαὶ ἐγένετο\nμετὰ\n");
    }
    author_texts out;
    std::string error;
    const auto lxx = author(u"LXX", {{u"IudA", 2}, {u"IudB", 2}}, 50104);
    ASSERT_TRUE(build_septuagint(lxx, root / "swete", root / "brenton", out, error)) << error;
    ASSERT_EQ(out.works.size(), 4u);
    EXPECT_TRUE(out.works[0].sections[0].missing);
    EXPECT_NE(out.works[0].sections[0].text.find(u"not in the open corpus"), std::u16string::npos);
    EXPECT_FALSE(out.works[2].sections[0].missing);
    EXPECT_EQ(out.works[2].sections[0].text, normalise_greek(u"[1] καὶ ἐγένετο\r[2] μετὰ\r"));
}

TEST_F(BibleTexts, SeptuagintReportsMissingFilesAndWrongCounts) {
    author_texts out;
    std::string error;
    EXPECT_FALSE(build_septuagint(author(u"LXX", {{u"Gen", 50}}, 50104), root / "swete",
                                  root / "brenton", out, error));
    EXPECT_NE(error.find("01.Genesis"), std::string::npos);
    write(root / "swete" / "40.Abdias.txt", "40.1.1 ὅρασις\n40.2.1 δεύτερον\n");
    error.clear();
    EXPECT_FALSE(build_septuagint(author(u"LXX", {{u"Abd", 1}}, 50104), root / "swete",
                                  root / "brenton", out, error));
    EXPECT_NE(error.find("2 chapters built"), std::string::npos);
    write(root / "swete" / "40.Abdias.txt", "garbage\n");
    error.clear();
    EXPECT_FALSE(build_septuagint(author(u"LXX", {{u"Abd", 1}}, 50104), root / "swete",
                                  root / "brenton", out, error));
    EXPECT_NE(error.find("unreadable"), std::string::npos);
    // A source whose chapters are not where the mapping expects them is named, not misread.
    write(root / "swete" / "28.Odae.txt", "28.1.1 ᾠδή\n28.2.1 ᾠδή\n");
    error.clear();
    EXPECT_FALSE(build_septuagint(author(u"LXX", {{u"Od", 14}}, 50104), root / "swete",
                                  root / "brenton", out, error));
    EXPECT_NE(error.find("Od"), std::string::npos);
    write(root / "swete" / "19.Esther.txt", "");
    error.clear();
    EXPECT_FALSE(build_septuagint(author(u"LXX", {{u"Est", 12}}, 50104), root / "swete",
                                  root / "brenton", out, error));
    EXPECT_NE(error.find("Est"), std::string::npos);
}

TEST_F(BibleTexts, NewTestamentIsOneSectionedWorkWithTheBookTitleBold) {
    write(root / "sblgnt" / "Matt.txt",
          "ΚΑΤΑ ΜΑΘΘΑΙΟΝ\nMatt 1:1\tΒίβλος ⸀γενέσεως\nMatt 1:2\t⟦Ἀβραὰμ⟧\nMatt 2:1\tΤοῦ δὲ\n");
    author_texts out;
    std::string error;
    ASSERT_TRUE(build_new_testament(author(u"NT Greek Bible", {{u"Matthew", 2}}, 47461),
                                    root / "sblgnt", out, error))
        << error;
    ASSERT_EQ(out.works.size(), 1u);
    const built_work& nt = out.works[0];
    EXPECT_EQ(nt.file, text_file::new_testament);
    EXPECT_EQ(nt.work_code, 32);
    EXPECT_EQ(nt.ids, (std::vector<std::int32_t>{47461, 47462}));
    ASSERT_EQ(nt.sections.size(), 2u);
    EXPECT_EQ(nt.sections[0].text,
              normalise_greek(u"\u00B2ΚΑΤΑ ΜΑΘΘΑΙΟΝ\u00B3\r[1] Βίβλος γενέσεως\r[2] Ἀβραὰμ\r"));
    EXPECT_EQ(nt.sections[1].text, normalise_greek(u"[1] Τοῦ δὲ\r"));
    EXPECT_EQ(out.node.children[0].children[1].label, u"2");
}

} // namespace
} // namespace veso::corpus
