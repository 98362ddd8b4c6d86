#include "common/unicode_text.h"
#include "texts/greek_cleaning.h"
#include "texts/passage_rendering.h"
#include "texts/tei_document.h"

#include <gtest/gtest.h>

namespace veso::corpus {
namespace {

TEST(CleanGreek, AcuteIsOxiaAndElisionIsRightQuotation) {
    // tonos alpha and epsilon become oxia; modifier apostrophe, ASCII apostrophe and koronis mark
    // elision with U+2019.
    EXPECT_EQ(clean_greek(u"\u03AC\u03BB\u03BB\u02BC \u03B4\u1F72 \u03B4'"),
              u"\u1F71\u03BB\u03BB\u2019 \u03B4\u1F72 \u03B4\u2019");
    // A mark with no letter before it is not an elision.
    EXPECT_EQ(clean_greek(u"\u02BC \u03B1"), u"\u03B1");
}

TEST(CleanGreek, KeepsAphaeresisAndTheAnoTeleia) {
    // Lysistrata 2 as the edition writes it: modifier apostrophes before the consonants.
    EXPECT_EQ(clean_greek(u"ἢ ʼς Πανὸς ἢ ʼπὶ Κωλιάδʼ ἢ ʼς Γενετυλλίδος,"),
              normalise_greek(u"ἢ ’ς Πανὸς ἢ ’πὶ Κωλιάδ’ ἢ ’ς Γενετυλλίδος,"));
    // Before a vowel the mark is a quotation mark; before a capital vowel, its breathing.
    EXPECT_EQ(clean_greek(u"ʼοὐ ᾿Ισραὴλ"), normalise_greek(u"οὐ Ἰσραὴλ"));
    // NFC would leave the middle dot U+00B7; the texts write the Greek ano teleia.
    EXPECT_EQ(clean_greek(u"μῆνιν\u0387 ἄειδε\u00B7"),
              normalise_greek(u"μῆνιν") + u"\u0387 " + normalise_greek(u"ἄειδε") + u"\u0387");
    // A dash between two words stands apart from both.
    EXPECT_EQ(clean_greek(u"γουνάζομαι—οὐ"), normalise_greek(u"γουνάζομαι — οὐ"));
}

TEST(CleanGreek, NumbersGluedToWordsGoAndNumbersAloneStay) {
    // A verse-variant number after a siglum (SBLGNT), a scanned verse number, a note reference,
    // a scanning slip, an unread letter and a parenthesised verse number of Swete's.
    EXPECT_EQ(clean_greek(u"⸀1ἄλλῳ 5ναίετε βουλεύσασθαι1, θρό9νου Ζην?ς (9)καὶ"),
              normalise_greek(u"ἄλλῳ ναίετε βουλεύσασθαι, θρόνου Ζηνς καὶ"));
    EXPECT_EQ(clean_greek(u"(9) 20"), u"(9) 20");
}

TEST(CleanGreek, DropsApparatusLatinWordsAndLooseMarks) {
    EXPECT_EQ(
        clean_greek(
            u"[\u03BB\u03CC\u03B3\u03BF\u03C2] \u2020\u03BA\u03B1\u1F76\u2020 <\u03C4\u1F78>"),
        u"\u03BB\u1F79\u03B3\u03BF\u03C2 \u03BA\u03B1\u1F76 \u03C4\u1F78");
    EXPECT_EQ(clean_greek(u"\u03BA\u03B1\u1F76 see the note \u03BF\u1F50"),
              u"\u03BA\u03B1\u1F76 \u03BF\u1F50");
    // Final sigma is kept as the edition has it.
    EXPECT_EQ(clean_greek(u"\u03BB\u03CC\u03B3\u03BF\u03C3"), u"\u03BB\u1F79\u03B3\u03BF\u03C3");
    // A dot under an uncertain letter goes; bold markup characters cannot come from a source.
    EXPECT_EQ(clean_greek(u"\u03B5\u0323\u03BD \u00B2x\u00B3"), u"\u03B5\u03BD");
    EXPECT_EQ(clean_greek(u"  \u03B1 \n\t \u03B2  "), u"\u03B1 \u03B2");
}

TEST(CleanGreek, LatinLookAlikeCapitalsInGreekWordsAreGreek) {
    // "ANΤΙΓΡΑΦΟΝ" with a Latin A and N, as a scanner reads it.
    EXPECT_EQ(clean_greek(u"AN\u03A4\u0399\u0393\u03A1\u0391\u03A6\u039F\u039D"),
              u"\u0391\u039D\u03A4\u0399\u0393\u03A1\u0391\u03A6\u039F\u039D");
}

TEST(CleanGreek, BoldAndMarkers) {
    EXPECT_EQ(bold(u"\u03A7\u039F\u03A1\u039F\u03A3"),
              u"\u00B2\u03A7\u039F\u03A1\u039F\u03A3\u00B3");
    EXPECT_EQ(bold(u""), u"");
    EXPECT_EQ(marker(u"15"), u"[15]");
    EXPECT_EQ(utf16_from_utf8("\xCE\xB1\xE1\xBC\x80"), u"\u03B1\u1F00");
}

} // namespace
} // namespace veso::corpus
