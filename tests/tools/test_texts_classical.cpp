#include "common/unicode_text.h"
#include "texts/classical_works.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace veso::corpus {
namespace {

namespace fs = std::filesystem;

class ClassicalAuthor : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("veso-classical-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }

    void edition(const std::string& group, const std::string& work, std::string_view body) {
        const fs::path folder = root / "perseus" / "data" / group / work;
        fs::create_directories(folder);
        std::ofstream(folder / (group + "." + work + ".perseus-grc2.xml"))
            << "<TEI><text><body><div type=\"edition\">" << body << "</div></body></text></TEI>";
    }

    fs::path root;
};

TEST_F(ClassicalAuthor, AGapKeepsItsLeafAndHoldsTheNotice) {
    for (int w : {1, 2, 3, 4, 5, 6}) {
        edition("tlg0030", "tlg00" + std::to_string(w), "<p>λόγος</p>");
    }
    const outline_author hypereides{u"  Oratory",
                                    u"Hypereides (c. 390-322 BCE)",
                                    18,
                                    7,
                                    {{40328, 40334}},
                                    {{u"In Defence of Lycophron", 0},
                                     {u"Second Speech in Defence of Lycophron", 0},
                                     {u"Against Philippides", 0},
                                     {u"Against Athenogenes", 0},
                                     {u"In Defence of Euxenippus", 0},
                                     {u"Against Demosthenes", 0},
                                     {u"Funeral Speech", 0}}};
    author_texts out;
    std::string error;
    ASSERT_TRUE(build_classical_author(hypereides, root, out, error)) << error;
    ASSERT_EQ(out.node.children.size(), 7u);
    EXPECT_EQ(out.node.children[1].id, 40329);
    ASSERT_EQ(out.works.size(), 7u);
    EXPECT_EQ(out.works[1].kind, work_kind::single);
    EXPECT_TRUE(out.works[1].sections[0].missing);
    EXPECT_EQ(out.works[1].sections[0].text,
              u"Second Speech in Defence of Lycophron, Hypereides (c. 390-322 BCE): the text is "
              u"not in the open corpus from which these files were built.\r");
    EXPECT_FALSE(out.works[2].sections[0].missing);
}

TEST_F(ClassicalAuthor, HomerBooksAreScannedSectionsAndTheirCountIsChecked) {
    std::string books;
    for (int b = 1; b <= 2; ++b) {
        books += "<div type=\"textpart\" subtype=\"book\" n=\"" + std::to_string(b) + "\">";
        for (int l = 1; l <= 6; ++l) {
            books += "<l n=\"" + std::to_string(l) + "\">ἔπος</l>";
        }
        books += "</div>";
    }
    edition("tlg0012", "tlg001", books);
    edition("tlg0012", "tlg002", books);
    const outline_author homer{u"  Early and Epic Poetry",      u"Homer", 17, 4, {{40519, 40522}},
                               {{u"Iliad", 2}, {u"Odyssey", 2}}};
    author_texts out;
    std::string error;
    ASSERT_TRUE(build_classical_author(homer, root, out, error)) << error;
    ASSERT_EQ(out.works.size(), 2u);
    EXPECT_TRUE(out.works[0].marker_scanned);
    EXPECT_EQ(out.works[1].ids, (std::vector<std::int32_t>{40521, 40522}));
    EXPECT_EQ(out.node.children[1].children[1].label, u"Book 2");
    EXPECT_NE(out.works[0].sections[1].text.find(u"[5] "), std::u16string::npos);

    const outline_author full{u"  Early and Epic Poetry",        u"Homer", 17, 48, {{40519, 40566}},
                              {{u"Iliad", 24}, {u"Odyssey", 24}}};
    author_texts wrong;
    EXPECT_FALSE(build_classical_author(full, root, wrong, error));
    EXPECT_NE(error.find("has 2 books, the catalogue 24"), std::string::npos) << error;
}

TEST_F(ClassicalAuthor, AMissingEditionIsNamed) {
    const outline_author lycurgus{
        u"  Oratory", u"Lycurgus", 21, 1, {{40369, 40369}}, {{u"Against Leocrates", 0}}};
    author_texts out;
    std::string error;
    EXPECT_FALSE(build_classical_author(lycurgus, root, out, error));
    EXPECT_NE(error.find("tlg0034.tlg001"), std::string::npos);
    edition("tlg0034", "tlg001",
            "<div type=\"textpart\" subtype=\"section\" n=\"1\"><p>δίκαιον</p></div>");
    error.clear();
    ASSERT_TRUE(build_classical_author(lycurgus, root, out, error)) << error;
    EXPECT_EQ(out.works.back().sections[0].text, normalise_greek(u"[1] δίκαιον\r"));
}

} // namespace
} // namespace veso::corpus
