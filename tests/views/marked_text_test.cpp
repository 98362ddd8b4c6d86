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

TEST_F(marked_text, PiecesRunFromSpaceToWordAndFirstPiecesStartAfterTheirMark) {
    const int y = draw_marked_text(dc, u"skipped [1] alpha beta <I>gamma delta <N>eps zeta",
                                   {10, 50, 1000, 0}, fonts());
    EXPECT_EQ(y, 50);
    EXPECT_EQ(pieces(), (std::vector<std::u16string>{u" ", u" alpha", u" beta", u"gamma ",
                                                     u" delta", u"eps "}));
    const auto& t = dc.texts();
    EXPECT_EQ(t[0].x, 10);
    EXPECT_EQ(t[1].x, 15);
    EXPECT_EQ(t[2].x, 70);
    EXPECT_EQ(t[3].x, 120); // the italic face starts 5 pixels further right
    EXPECT_TRUE(t[3].font.italic);
    EXPECT_TRUE(t[4].font.italic);
    EXPECT_FALSE(t[5].font.italic);
    EXPECT_EQ(t[5].x, 230);
}

TEST_F(marked_text, WrapsAtTheRightEdgeAndContinuesAtTheMargin) {
    const platform::rect area{10, 50, 200, 0};
    int y = draw_marked_text(dc, u"[1] alpha beta gamma delta end", area, fonts());
    EXPECT_EQ(y, 74);
    EXPECT_EQ(dc.texts()[4].text, u" delta");
    EXPECT_EQ(dc.texts()[4].x, 10);
    EXPECT_EQ(dc.texts()[4].y, 74);

    dc.clear_records();
    y = draw_marked_text(dc, u"[1] alpha beta gamma delta end", area, fonts(), 20);
    EXPECT_EQ(y, 74);
    EXPECT_EQ(dc.texts()[4].x, 20);
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

TEST_F(marked_text, BoldMarksAndTextsThatDrawNothing) {
    draw_marked_text(dc, u"[1] a <B>bold <N>plain ", {0, 0, 1000, 0}, fonts());
    ASSERT_EQ(pieces(), (std::vector<std::u16string>{u" ", u" a", u"bold ", u"plain "}));
    EXPECT_EQ(dc.texts()[2].font.weight, 700);
    EXPECT_EQ(dc.texts()[3].font.weight, 400);

    dc.clear_records();
    EXPECT_EQ(draw_marked_text(dc, u"no bracket at all ", {0, 7, 1000, 0}, fonts()), 7);
    EXPECT_TRUE(dc.texts().empty());
    // Marks without spaces around them and a text ending in a mark stay within the text.
    draw_marked_text(dc, u"[<I><B>x<N>", {0, 0, 1000, 0}, fonts());
    draw_marked_text(dc, u"[", {0, 0, 1000, 0}, fonts());
    draw_marked_text(dc, u"[ ", {0, 0, 1000, 0}, fonts());
    EXPECT_TRUE(dc.texts().empty());
}

} // namespace
} // namespace veso
