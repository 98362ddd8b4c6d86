// The editions staged after the Perseus tree: the Sappho and Old Oligarch treebanks and Diodorus'
// books 9 and 10 in Beta Code.
#include "common/unicode_text.h"
#include "texts/beta_code_tei.h"
#include "texts/passage_rendering.h"
#include "texts/treebank_texts.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace veso::corpus {
namespace {

namespace fs = std::filesystem;

std::u16string greek(std::u16string_view s) {
    return normalise_greek(s);
}

std::vector<treebank_sentence> sentences(std::string_view xml) {
    std::string error;
    auto read = read_treebank_text(xml, error);
    EXPECT_TRUE(read.has_value()) << error;
    return read.value_or(std::vector<treebank_sentence>{});
}

std::u16string text_of(const std::vector<treebank_sentence>& all) {
    std::vector<const treebank_sentence*> pointers;
    for (const auto& s : all) {
        pointers.push_back(&s);
    }
    return treebank_text(pointers);
}

TEST(TreebankText, JoinsPunctuationAndCutWordsAndShowsLostLetters) {
    const auto all = sentences(R"(<treebank>
      <sentence subdoc="1.1">
        <word form="περὶ" lemma="περί" postag="r--------"/>
        <word form="οὔ" lemma="οὔτε" postag="c--------"/>
        <word form="-τε" lemma="οὔτε" postag="c--------"/>
        <word form="τ-" lemma="ὁ" postag="l-p---na-"/>
        <word form="ἆλλα" lemma="ἄλλος" postag="p-p---na-"/>
        <word form="δή-" lemma="δή" postag="d--------"/>
        <word form="αὖτε" lemma="αὖτε" postag="d--------"/>
        <word form="[0]" lemma="" postag="" artificial="elliptic"/>
        <word form="πολιτείας" lemma="πολιτεία" postag="n-s---fg-"/>
        <word form=":" lemma="punc1" postag="u--------"/>
        <word form="（" lemma="punc1" postag="u--------"/>
        <word form="καG?" lemma="_" postag="z--------"/>
        <word form="G?" lemma="_" postag="z--------"/>
        <word form="G2G?" lemma="_" postag="z--------"/>
        <word form="G?αλG?" lemma="_" postag="z--------"/>
        <word form="αG?β" lemma="_" postag="z--------"/>
        <word form="G?" lemma="_" postag="z--------"/>
        <word form="," lemma="," postag="u--------"/>
      </sentence></treebank>)");
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].subdoc, "1.1");
    EXPECT_TRUE(all[0].words[7].artificial);
    // The colon of the treebank is the ano teleia, which NFC would turn into a middle dot.
    EXPECT_EQ(text_of(all), greek(u"περὶ οὔτε τἆλλα δή αὖτε πολιτείας") + u"\u0387 " +
                                greek(u"(κα[ […] ]αλ[ α[…]β […],"));
}

TEST(TreebankText, AnUnreadableTreebankIsReported) {
    std::string error;
    EXPECT_FALSE(read_treebank_text("<treebank><sentence>", error).has_value());
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(read_treebank_text("<TEI/>", error).has_value());
    EXPECT_NE(error.find("treebank"), std::string::npos);
}

class TreebankAuthor : public ::testing::Test {
protected:
    void SetUp() override {
        file =
            fs::temp_directory_path() /
            ("veso-treebank-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".xml");
    }
    void TearDown() override { fs::remove(file); }
    void write(std::string_view xml) { std::ofstream(file, std::ios::binary) << xml; }

    fs::path file;
};

TEST_F(TreebankAuthor, SapphoLeafNIsFragmentNWithItsParts) {
    write(R"(<treebank>
      <sentence document_id="0009-001" subdoc="1"><word form="ποικιλόθρον’" postag="a-s---fvp"/>
        <word form="ἀθανάτ’" postag="a-s---fvp"/></sentence>
      <sentence document_id="0009-001" subdoc="1"><word form="Ἀφρόδιτα" postag="n-s---fv-"/></sentence>
      <sentence document_id="0009-001" subdoc="3a"><word form="δῶρα" postag="n-p---na-"/></sentence>
      <sentence document_id="0009-001" subdoc="3b"><word form="G?ον" postag="z--------"/></sentence>
      <sentence document_id="0009-001" subdoc="5"><word form="ἔγω" postag="p-s---mn-"/></sentence>
      <sentence document_id="0009-002" subdoc="AG.269"><word form="παιδὸς" postag="n-s---mg-"/></sentence>
    </treebank>)");
    const outline_author sappho{u"  Lyric Poetry", u"Sappho", 38, 4, {{47343, 47346}}, {}};
    author_texts out;
    std::string error;
    ASSERT_TRUE(build_sappho_fragments(sappho, file, out, error)) << error;
    ASSERT_EQ(out.node.children.size(), 4u);
    EXPECT_EQ(out.node.children[2].label, u"3");
    EXPECT_EQ(out.node.children[2].id, 47345);
    ASSERT_EQ(out.works.size(), 1u);
    const built_work& w = out.works[0];
    EXPECT_EQ(w.file, text_file::lyric);
    EXPECT_EQ(w.kind, work_kind::sectioned);
    ASSERT_EQ(w.sections.size(), 4u);
    EXPECT_EQ(w.sections[0].text, greek(u"ποικιλόθρον’ ἀθανάτ’ Ἀφρόδιτα\r"));
    EXPECT_TRUE(w.sections[1].missing); // the treebank has no fragment 2
    EXPECT_EQ(w.sections[1].text, u"Sappho, fragment 2: the text is not in the open corpus from "
                                  u"which these files were built.\r");
    EXPECT_EQ(w.sections[2].text, greek(u"[3a] δῶρα\r[3b] ]ον\r"));
    // Fragment 5 lies beyond the four leaves, and the epigrams are no fragments.
    EXPECT_TRUE(w.sections[3].missing);
}

TEST_F(TreebankAuthor, TheOldOligarchIsOnePassageWithItsSections) {
    write(R"(<treebank>
      <sentence subdoc="1.1"><word form="περὶ" postag="r--------"/><word form="δὲ" postag="d--------"/></sentence>
      <sentence subdoc="1.1"><word form="οὐκ" postag="d--------"/><word form="." postag="u--------"/></sentence>
      <sentence subdoc="1.2"><word form="πρῶτον" postag="d--------"/></sentence>
    </treebank>)");
    const outline_author oligarch{u"  History",     u"Old Oligarch (c. 424 BCE)",           27, 1,
                                  {{40404, 40404}}, {{u"Constitution of the Athenians", 0}}};
    author_texts out;
    std::string error;
    ASSERT_TRUE(build_old_oligarch(oligarch, file, out, error)) << error;
    ASSERT_EQ(out.node.children.size(), 1u);
    EXPECT_EQ(out.node.children[0].id, 40404);
    ASSERT_EQ(out.works.size(), 1u);
    EXPECT_EQ(out.works[0].kind, work_kind::single);
    EXPECT_EQ(out.works[0].author_number, 27);
    EXPECT_EQ(out.works[0].sections[0].text, greek(u"[1] περὶ δὲ οὐκ.\r[2] πρῶτον\r"));

    fs::remove(file);
    EXPECT_FALSE(build_old_oligarch(oligarch, file, out, error));
    EXPECT_NE(error.find(file.string()), std::string::npos);
}

TEST(BetaCode, LettersMarksCapitalsSigmaAndPunctuation) {
    EXPECT_EQ(greek_from_beta_code("h)=n de\\ kai\\ *so/lwn patro\\s"),
              greek(u"ἦν δὲ καὶ Σόλων πατρὸς"));
    EXPECT_EQ(greek_from_beta_code("*)echkesti/dou, sofi/a| kaq' e(auto/n:"),
              greek(u"Ἐξηκεστίδου, σοφίᾳ καθ’ ἑαυτόν") + u"\u0387");
    EXPECT_EQ(greek_from_beta_code("*(ellh/nwn *)/isis poi+ei=n s1s2 s3"),
              greek(u"Ἑλλήνων Ἴσις ποϊεῖν σς ϲ"));
    EXPECT_EQ(greek_from_beta_code("[a] 12 -"), greek(u"[α] 12 -"));
}

TEST(BetaCode, ReadsTheTei2EditionWithItsDamagedHeaderAndChapterMilestones) {
    const std::string file = R"(<!-- placeholder for data missing from an edition -->
<?xml version="1.0"?>
<!DOCTYPE TEI.2 PUBLIC "-//TEI P4//DTD Main DTD Driver File//EN" "tei2.dtd" [
<!ENTITY % PersProse PUBLIC "-//Perseus P4//DTD Perseus Prose//EN" "PersProse.dtd" >
%PersProse;
]>
<TEI.2><teiHeader><fileDesc><titleStmt><title>Library</title> &responsibility; </titleStmt>
&Perseus.publish;</fileDesc></teiHeader>
<text><body>
<div1 n="9" type="Book"><head><foreign lang="la">Fragmenta libri IX</foreign></head>
<p><milestone n="1" unit="chapter"/><milestone n="1" unit="section"/>h)=n de\ *so/lwn
<note anchored="yes">cf. frag. 3.</note>&lpar;kai\&rpar; <milestone n="2" unit="section"/>
<milestone unit="para"/>o(/ti <bibl>Const. Exc. 4</bibl>
<milestone n="2" unit="chapter"/><milestone n="1" unit="section"/>tou= <num lang="greek">ne</num></p>
</div1></body></text></TEI.2>)";
    std::string error;
    const auto doc = read_beta_code_tei_text(file, error);
    ASSERT_TRUE(doc.has_value()) << error;
    const auto pieces = all_pieces(*doc);
    const auto books = group_by(pieces, "book");
    ASSERT_EQ(books.size(), 1u);
    EXPECT_EQ(books[0].n, "9");
    const auto chapters = group_by(books[0].pieces, "chapter");
    ASSERT_EQ(chapters.size(), 2u);
    EXPECT_EQ(render_pieces(chapters[0].pieces, line_numbering::prose),
              greek(u"[1] ἦν δὲ Σόλων (καὶ)\r[2] ὅτι\r"));
    EXPECT_EQ(render_pieces(chapters[1].pieces, line_numbering::prose), greek(u"[1] τοῦ νε\r"));

    EXPECT_FALSE(read_beta_code_tei_text("<TEI.2><text><body><p>a</body>", error).has_value());
    EXPECT_FALSE(read_beta_code_tei(fs::temp_directory_path() / "veso-no-such.xml", error));
}

} // namespace
} // namespace veso::corpus
