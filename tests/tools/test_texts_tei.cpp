#include "common/unicode_text.h"
#include "texts/passage_rendering.h"
#include "texts/tei_document.h"

#include <gtest/gtest.h>

namespace veso::corpus {
namespace {

// Test literals are typed with tonos; the reading text has oxia.
std::u16string greek(std::u16string_view s) {
    return normalise_greek(s);
}

tei_document read(std::string_view xml) {
    std::string error;
    auto doc = read_tei_text(xml, error);
    EXPECT_TRUE(doc.has_value()) << error;
    return doc.value_or(tei_document{});
}

TEST(TeiDocument, DramaKeepsSpeakersBoldAndLeavesOutNotesAndStageDirections) {
    const auto doc = read(R"(<TEI><teiHeader><title>Play</title></teiHeader><text><body>
      <div type="edition"><div type="textpart" subtype="episode">
        <sp><speaker>Φύλαξ</speaker>
          <l n="0"><hi rend="strong">Φύλαξ</hi></l>
          <l n="1">θεοὺς μὲν αἰτῶ<note>a note in English</note> πόνων</l>
          <stage>He goes out.</stage>
          <l n="2"><foreign xml:lang="eng">Latin</foreign>φρουρᾶς</l>
        </sp></div></div></body></text></TEI>)");
    ASSERT_EQ(doc.pieces.size(), 3u);
    EXPECT_EQ(doc.pieces[0].type, tei_piece::kind::speaker);
    EXPECT_EQ(doc.pieces[0].text, greek(u"\u00B2Φύλαξ\u00B3"));
    EXPECT_EQ(doc.pieces[1].type, tei_piece::kind::verse);
    EXPECT_EQ(doc.pieces[1].line_number, "1");
    EXPECT_EQ(doc.pieces[1].text, greek(u"θεοὺς μὲν αἰτῶ πόνων"));
    EXPECT_EQ(doc.pieces[2].text, greek(u"φρουρᾶς"));
}

TEST(TeiDocument, ProseCarriesSectionMarkersAndCitations) {
    const auto doc = read(R"(<TEI><text><body><div type="edition">
      <div type="textpart" subtype="book" n="5">
        <div type="textpart" subtype="chapter" n="92A">
          <div type="textpart" subtype="section" n="1"><p>πρῶτα <choice><sic>κακά</sic><corr>καλά</corr></choice></p></div>
          <div type="textpart" subtype="section" n="2"><p>δεύτερα <app><lem>ἔργα</lem><rdg>ἔπη</rdg></app></p></div>
        </div></div></div></body></text></TEI>)");
    ASSERT_EQ(doc.pieces.size(), 2u);
    EXPECT_EQ(doc.pieces[0].text, greek(u"[1] πρῶτα καλά"));
    EXPECT_EQ(doc.pieces[1].text, greek(u"[2] δεύτερα ἔργα"));
    EXPECT_EQ(doc.pieces[1].cited("book"), "5");
    EXPECT_EQ(doc.pieces[1].cited("chapter"), "92A");
    EXPECT_EQ(doc.pieces[1].cited("poem"), "");
}

TEST(TeiDocument, DialogueLabelsAndStephanusMilestones) {
    const auto doc = read(R"(<TEI><text><body><div type="edition">
      <div type="textpart" subtype="section" n="327">
        <p><said><label>ΣΩ.</label><milestone unit="section" n="327a"/> κατέβην χθὲς
        <milestone unit="para"/>καὶ ὀλίγῳ ὕστερον</said></p></div></div></body></text></TEI>)");
    ASSERT_EQ(doc.pieces.size(), 2u);
    EXPECT_EQ(doc.pieces[0].text, greek(u"\u00B2ΣΩ.\u00B3 [327a] κατέβην χθὲς"));
    EXPECT_EQ(doc.pieces[1].text, greek(u"καὶ ὀλίγῳ ὕστερον"));
}

TEST(TeiDocument, SpeechesNameTheirSpeakerAtEachChange) {
    // Speeches wrapping their lines (Clouds) and speeches inside lines (Frogs), a cast list
    // before the text, and a dialogue whose speeches carry their own label.
    const auto doc = read(R"(<TEI><text><body><div type="edition">
      <listPerson><person><persName>Ξανθίας</persName></person></listPerson>
      <div type="textpart" subtype="Prologue">
        <said who="#Στρεψιάδης"><l n="1">ἰοὺ ἰού·</l><l n="2">ὦ Ζεῦ</l></said>
        <said who="#Στρεψιάδης"><l n="3">ἀπέραντον.</l></said>
        <l n="4"><said who="#Ξανθίας">μηδ’ ἕτερον;</said> <said who="#Διόνυσος">πλήν γ’</said></l>
        <l n="5"><said who="#Διόνυσος">θαρρῶν γε</said></l>
        <p><said who="#Σωκράτης"><label>ΣΩ.</label> οὐδαμῶς</said></p>
        <p><said who="#Ἑταῖρος" direct="false">ἔφη</said></p>
      </div></div></body></text></TEI>)");
    std::vector<std::u16string> texts;
    for (const auto& p : doc.pieces) {
        texts.push_back(p.text);
    }
    const std::vector<std::u16string> expected = {
        greek(u"\u00B2Στρεψιάδης\u00B3"),
        greek(u"ἰοὺ ἰού") + u"\u0387", // NFC would make the ano teleia a middle dot
        greek(u"ὦ Ζεῦ"),
        greek(u"ἀπέραντον."),
        greek(u"\u00B2Ξανθίας\u00B3"),
        greek(u"μηδ’ ἕτερον; \u00B2Διόνυσος\u00B3 πλήν γ’"),
        greek(u"θαρρῶν γε"),
        greek(u"\u00B2ΣΩ.\u00B3 οὐδαμῶς"),
        greek(u"ἔφη")};
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(doc.pieces[0].type, tei_piece::kind::speaker);
    EXPECT_EQ(doc.pieces[4].type, tei_piece::kind::speaker);
}

TEST(TeiDocument, AMarkerBeforeAParagraphBreakOpensTheNextParagraph) {
    const auto doc = read(R"(<TEI><text><body><div type="edition">
      <div type="textpart" subtype="chapter" n="1"><p>
        <milestone unit="section" n="1"/>πρῶτα. <milestone unit="section" n="2"/>
        <milestone unit="para"/>δεύτερα <milestone unit="section" n="imbedded dialogue"/>τρίτα
      </p></div></div></body></text></TEI>)");
    ASSERT_EQ(doc.pieces.size(), 2u);
    EXPECT_EQ(doc.pieces[0].text, greek(u"[1] πρῶτα."));
    EXPECT_EQ(doc.pieces[1].text, greek(u"[2] δεύτερα τρίτα"));
}

TEST(TeiDocument, ReportsBrokenXmlAndMissingBody) {
    std::string error;
    EXPECT_FALSE(read_tei_text("<TEI><text><body><p>α</body>", error).has_value());
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(read_tei_text("<TEI><text/></TEI>", error).has_value());
    EXPECT_NE(error.find("body"), std::string::npos);
    // Damaged input nested far deeper than any edition is refused, not walked.
    std::string deep = "<TEI><text><body>";
    for (int i = 0; i < 5000; ++i) {
        deep += "<q>";
    }
    deep += "α";
    for (int i = 0; i < 5000; ++i) {
        deep += "</q>";
    }
    deep += "</body></text></TEI>";
    error.clear();
    EXPECT_FALSE(read_tei_text(deep, error).has_value());
    EXPECT_NE(error.find("nested"), std::string::npos);
}

TEST(TeiDocument, GroupsPiecesByCitationWithLeadingPiecesInTheFirstGroup) {
    const auto doc = read(R"(<TEI><text><body><div type="edition">
      <head>Ἱστορίαι</head>
      <div type="textpart" subtype="book" n="1"><p>α</p><p>β</p></div>
      <div type="textpart" subtype="book" n="2"><p>γ</p></div></div></body></text></TEI>)");
    const auto pieces = all_pieces(doc);
    const auto books = group_by(pieces, "book");
    ASSERT_EQ(books.size(), 2u);
    EXPECT_EQ(books[0].n, "1");
    EXPECT_EQ(books[0].pieces.size(), 3u); // the heading joins the first book
    EXPECT_EQ(books[1].pieces.size(), 1u);
}

} // namespace
} // namespace veso::corpus
