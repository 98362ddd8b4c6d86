#include "platform/headless/headless_device_context.h"
#include "platform/headless/headless_fonts.h"
#include "views/marked_text.h"
#include "views/view_fonts.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace veso {
namespace {

class marked_text : public ::testing::Test {
protected:
    std::vector<std::u16string> pieces() const {
        std::vector<std::u16string> result;
        for (const auto& t : dc.texts())
            result.push_back(t.text);
        return result;
    }
    marked_text_fonts fonts() const { return faces.marked(); }

    platform::headless_font_factory factory;
    platform::headless_device_context dc;
    view_fonts faces{factory, platform::font_description{}.height};
};

// Measured with the headless metrics: a space is 5 pixels, other characters 10, bold ones 11.
TEST_F(marked_text, SourceNameThenWordsOneSpaceApartWhateverMarksLieBetween) {
    const int y =
        draw_marked_text(dc, u"skipped [L] of the <I>wrath<N> of the gods, <B>gen.<N> end",
                         {10, 50, 1000, 0}, fonts());
    EXPECT_EQ(y, 50);
    EXPECT_EQ(pieces(),
              (std::vector<std::u16string>{u"LSJ", u" of", u" the", u" ", u"wrath", u" of", u" the",
                                           u" gods,", u" ", u"gen.", u" end"}));
    std::vector<int> xs;
    for (const auto& t : dc.texts())
        xs.push_back(t.x);
    // Every word starts one space after the one before; "wrath" five pixels more, as the italic
    // face starts 5 pixels further right. The last word, with no space after it, is drawn.
    EXPECT_EQ(xs, (std::vector<int>{10, 40, 65, 100, 110, 160, 185, 220, 275, 280, 324}));
    const auto& t = dc.texts();
    EXPECT_TRUE(t[0].font.italic);
    EXPECT_FALSE(t[1].font.italic);
    EXPECT_TRUE(t[4].font.italic);
    EXPECT_FALSE(t[5].font.italic);
    EXPECT_EQ(t[9].font.weight, 700);
    EXPECT_EQ(t[10].font.weight, 400);
    for (const auto& piece : t)
        EXPECT_EQ(piece.y, 50);
}

TEST_F(marked_text, EverySourceHasItsNameAndUnknownLettersShowNothing) {
    const std::vector<std::pair<std::u16string, std::u16string>> sources = {
        {u"[L] x", u"LSJ"},     {u"[S] x", u"LSJ short def."}, {u"[M] x", u"Middle Liddell"},
        {u"[G] x", u"Logeion"}, {u"[A] x", u"Autenrieth"},     {u"[T] x", u"Abbott-Smith"},
        {u"[D] x", u"Dodson"}};
    for (const auto& [text, name] : sources) {
        dc.clear_records();
        draw_marked_text(dc, text, {0, 0, 1000, 0}, fonts());
        EXPECT_EQ(pieces(), (std::vector<std::u16string>{name, u" x"}));
    }
    dc.clear_records();
    draw_marked_text(dc, u"[Q] x y", {0, 0, 1000, 0}, fonts());
    EXPECT_EQ(pieces(), (std::vector<std::u16string>{u"x", u" y"}));
    EXPECT_EQ(dc.texts()[0].x, 0);
}

TEST_F(marked_text, WholeWordsWrapAtTheRightEdgeAndContinueAtTheMargin) {
    const platform::rect area{10, 50, 200, 0};
    int y = draw_marked_text(dc, u"[L] alpha beta gamma delta end", area, fonts());
    EXPECT_EQ(y, 74);
    EXPECT_EQ(pieces(), (std::vector<std::u16string>{u"LSJ", u" alpha", u" beta", u" gamma",
                                                     u"delta", u" end"}));
    EXPECT_EQ(dc.texts()[3].x, 140);
    EXPECT_EQ(dc.texts()[4].x, 10);
    EXPECT_EQ(dc.texts()[4].y, 74);
    EXPECT_EQ(dc.texts()[5].x, 60);

    dc.clear_records();
    y = draw_marked_text(dc, u"[L] alpha beta gamma delta end", area, fonts(), 20);
    EXPECT_EQ(y, 74);
    EXPECT_EQ(dc.texts()[4].x, 20);

    // After a headword, a first word that does not fit goes to the margin; an italic word that
    // wraps starts right at the line's start, without the italic step.
    dc.clear_records();
    y = draw_marked_text(dc, u"[L] alpha", {150, 50, 200, 0}, fonts(), 20);
    EXPECT_EQ(y, 74);
    EXPECT_EQ(dc.texts()[1].text, u"alpha");
    EXPECT_EQ(dc.texts()[1].x, 20);
    dc.clear_records();
    draw_marked_text(dc, u"[L] aaaa <I>bbbbbbbbbb", {10, 50, 100, 0}, fonts());
    EXPECT_EQ(pieces(), (std::vector<std::u16string>{u"LSJ", u" aaaa", u"bbbbbbbbbb"}));
    EXPECT_EQ(dc.texts()[2].x, 10);
    EXPECT_EQ(dc.texts()[2].y, 74);

    // A word wider than the whole area stays on the line it starts, without an empty line.
    dc.clear_records();
    EXPECT_EQ(draw_marked_text(dc, u"[Q] " + std::u16string(30, u'x'), {10, 50, 100, 0}, fonts()),
              50);
    EXPECT_EQ(dc.texts()[0].x, 10);
}

TEST_F(marked_text, LinesOutsideTheClipBoxAreLaidOutButNotDrawn) {
    dc.set_clip_box({0, 60, 1000, 90});
    const int y = draw_marked_text(dc, u"[1] alpha beta gamma delta epsilon zeta eta ",
                                   {10, 50, 130, 0}, fonts());
    EXPECT_EQ(y, 50 + 3 * 24);
    ASSERT_FALSE(dc.texts().empty());
    for (const auto& t : dc.texts())
        EXPECT_TRUE(t.y == 50 || t.y == 74) << t.y;
}

TEST_F(marked_text, OddMarkupAndTextsThatDrawNothing) {
    // The space after a bold word is bold; the word after the mark is normal again.
    draw_marked_text(dc, u"[1]  a  <B>bold <N>plain  ", {0, 0, 1000, 0}, fonts());
    ASSERT_EQ(pieces(), (std::vector<std::u16string>{u"a", u" ", u"bold", u" ", u"plain"}));
    EXPECT_EQ(dc.texts()[2].font.weight, 700);
    EXPECT_EQ(dc.texts()[3].font.weight, 700);
    EXPECT_EQ(dc.texts()[4].font.weight, 400);
    EXPECT_EQ(dc.texts()[4].x, 10 + 5 + 44 + 5);

    dc.clear_records();
    EXPECT_EQ(draw_marked_text(dc, u"no bracket at all ", {0, 7, 1000, 0}, fonts()), 7);
    draw_marked_text(dc, u"[", {0, 0, 1000, 0}, fonts());
    draw_marked_text(dc, u"[ ", {0, 0, 1000, 0}, fonts());
    EXPECT_TRUE(dc.texts().empty());
    // Without a well-formed "[X]", what follows the "[" is text; marks never show.
    draw_marked_text(dc, u"[<I><B>x<N>", {0, 0, 1000, 0}, fonts());
    ASSERT_EQ(pieces(), (std::vector<std::u16string>{u"x"}));
    EXPECT_EQ(dc.texts()[0].font.weight, 700);
}

} // namespace
} // namespace veso
