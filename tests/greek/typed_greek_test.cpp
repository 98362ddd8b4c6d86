#include "greek/betaconverter.h"
#include "greek/typed_greek.h"

#include <gtest/gtest.h>
#include <string>

namespace veso {
namespace {

class typed_greek : public ::testing::Test {
protected:
    std::string typed(wide_string_view text) const {
        const wide_string beta = typed_to_betacode(converter, text);
        return std::string(beta.begin(), beta.end());
    }
    betaconverter converter;
};

TEST_F(typed_greek, BetaCodeStaysAsTypedInLowerCaseWithoutSurroundingSpace) {
    EXPECT_EQ(typed(u"lo/gos"), "lo/gos");
    EXPECT_EQ(typed(u" \tA)/NQRWPOS\u00A0\r\n"), "a)/nqrwpos");
    EXPECT_EQ(typed(u"*)aqh=nai"), "*)aqh=nai");
    EXPECT_EQ(typed(u"   "), "");
    EXPECT_EQ(typed(u""), "");
}

TEST_F(typed_greek, AcuteAsTonosAsOxiaAndDecomposedGivesTheSameKey) {
    // λόγος with the tonos a Greek keyboard types, with the oxia, and decomposed.
    EXPECT_EQ(typed(u"\u03BB\u03CC\u03B3\u03BF\u03C2"), "lo/gos");
    EXPECT_EQ(typed(u"\u03BB\u1F79\u03B3\u03BF\u03C2"), "lo/gos");
    EXPECT_EQ(typed(u"\u03BB\u03BF\u0301\u03B3\u03BF\u03C2"), "lo/gos");
    // Every tonos letter, small and capital.
    EXPECT_EQ(typed(u"\u03AC\u03AD\u03AE\u03AF\u03CC\u03CD\u03CE"), "a/e/h/i/o/u/w/");
    EXPECT_EQ(typed(u"\u0390 \u03B0"), "i/+ u/+");
    EXPECT_EQ(typed(u"\u0386\u03C1\u03B7\u03C2"), "*a/rhs");
    EXPECT_EQ(typed(u"\u038C \u038F \u0388 \u0389 \u038A \u038E"), "*o/ *w/ *e/ *h/ *i/ *u/");
}

TEST_F(typed_greek, BreathingsSubscriptsAndDiaeresisInAnyComposition) {
    // ἄνθρωπος precomposed, and decomposed with psili and tonos in either canonical form.
    EXPECT_EQ(typed(u"\u1F04\u03BD\u03B8\u03C1\u03C9\u03C0\u03BF\u03C2"), "a)/nqrwpos");
    EXPECT_EQ(typed(u"\u03B1\u0313\u0301\u03BD\u03B8\u03C1\u03C9\u03C0\u03BF\u03C2"), "a)/nqrwpos");
    // ᾧ: dasia, perispomeni and ypogegrammeni, typed in a non-canonical order.
    EXPECT_EQ(typed(u"\u1FA7"), "w(=|");
    EXPECT_EQ(typed(u"\u03C9\u0345\u0314\u0342"), "w(=|");
    EXPECT_EQ(typed(u"\u03B9\u0308\u0301"), "i/+");
    EXPECT_EQ(typed(u"\u1F0C"), "*)/a");
    EXPECT_EQ(typed(u"\u1FEC\u03CC\u03B4\u03BF\u03C2"), "*(ro/dos");
    // A capital with an adscript, which the converter has no capital form for.
    EXPECT_EQ(typed(u"\u1F88"), "*a)|");
}

TEST_F(typed_greek, MixedInputLengthMarksAndStrayAccents) {
    EXPECT_EQ(typed(u"lo/\u03B3\u03BF\u03C2"), "lo/gos");
    EXPECT_EQ(typed(u"\u1F04nqrwpos"), "a)/nqrwpos");
    EXPECT_EQ(typed(u"\u03BB\u03CC\u03B3\u03BF\u03C3"), "lo/gos");
    // ᾱ́ and ᾰ: Beta Code writes no length.
    EXPECT_EQ(typed(u"\u1FB1\u0301"), "a/");
    EXPECT_EQ(typed(u"\u03B1\u0304\u0301"), "a/");
    EXPECT_EQ(typed(u"\u1FB0"), "a");
    // An accent before any letter belongs to nothing; other scripts pass through.
    EXPECT_EQ(typed(u"\u0301\u03BB\u03BF"), "lo");
    EXPECT_EQ(typed(u"caf\u00E9-\u03BB"), "caf\xE9-l");
}

} // namespace
} // namespace veso
