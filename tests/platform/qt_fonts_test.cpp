#include "platform/qt/pictures.h"
#include "platform/qt/qt_device_context.h"
#include "platform/qt/qt_fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <gtest/gtest.h>

namespace veso::platform {
namespace {

// The code points of the Greek Extended block that Unicode assigns.
std::vector<char32_t> greek_extended() {
    std::vector<char32_t> points;
    for (char32_t c = 0x1F00; c <= 0x1FFE; ++c) {
        if (QChar::category(c) != QChar::Other_NotAssigned) {
            points.push_back(c);
        }
    }
    return points;
}

TEST(QtFonts, EveryGreekExtendedCharacterHasARealGlyph) {
    const QFont font = make_qfont(font_description{});
    std::vector<QFontMetrics> faces;
    for (const auto& family : font.families()) {
        if (QFontDatabase::hasFamily(family)) {
            QFont face(family);
            face.setPixelSize(25);
            faces.emplace_back(face);
        }
    }
    ASSERT_FALSE(faces.empty()) << "no polytonic Greek font installed";
    const auto points = greek_extended();
    EXPECT_GT(points.size(), 230u);
    for (const char32_t c : points) {
        const bool found = std::any_of(faces.begin(), faces.end(),
                                       [c](const QFontMetrics& m) { return m.inFontUcs4(c); });
        EXPECT_TRUE(found) << std::hex << static_cast<unsigned>(c);
    }
}

TEST(QtFonts, PalatinoComesFirstThenPolytonicFallbacks) {
    const QStringList families = font_families_for(u"Palatino Linotype");
    ASSERT_GE(families.size(), 3);
    EXPECT_EQ(families[0], QStringLiteral("Palatino Linotype"));
    EXPECT_TRUE(families.contains(QStringLiteral("Gentium Plus")));
    EXPECT_TRUE(families.contains(QStringLiteral("GFS Didot")));
}

TEST(QtFonts, HeightIsTheCellHeight) {
    for (const int height : {18, 25}) {
        font_description description;
        description.height = height;
        const QFontMetrics metrics(make_qfont(description));
        EXPECT_NEAR(metrics.height(), height, 2) << height;
    }
    font_description bold;
    bold.weight = 700;
    EXPECT_EQ(make_qfont(bold).weight(), QFont::Bold);
    font_description unset;
    unset.weight = 0;
    EXPECT_EQ(make_qfont(unset).weight(), QFont::Normal);
}

class QtDeviceContextTest : public testing::Test {
protected:
    QtDeviceContextTest() : image(600, 500, QImage::Format_RGB32) { image.fill(Qt::white); }
    QImage image;
};

TEST_F(QtDeviceContextTest, JustificationWidensSpacesAndIsUsedUpByTextOut) {
    QPainter painter(&image);
    qt_device_context dc(painter, image.rect());
    qt_font font{font_description{}};
    dc.select_font(font);
    const int plain = dc.text_extent(u"a b c").width;
    dc.set_text_justification(5, 2);
    // Both spaces measured: 3 + 2 extra pixels.
    EXPECT_EQ(dc.text_extent(u"a b c").width, plain + 5);
    dc.text_out(0, 0, u"a ");
    // The first space is used up; the second still gets its 2.
    EXPECT_EQ(dc.text_extent(u"b c").width,
              dc.text_extent(u"b").width + dc.text_extent(u" ").width + dc.text_extent(u"c").width);
    dc.set_text_justification(0, 0);
    EXPECT_EQ(dc.text_extent(u"a b c").width, plain);
}

TEST_F(QtDeviceContextTest, TextIsDrawnInTheTextColourBelowItsTop) {
    QPainter painter(&image);
    qt_device_context dc(painter, image.rect());
    qt_font font{font_description{}};
    dc.select_font(font);
    dc.set_text_colour(make_colour(255, 0, 0));
    EXPECT_EQ(dc.text_colour(), make_colour(255, 0, 0));
    dc.text_out(10, 100, u"ἄνδρα μοι ἔννεπε");
    painter.end();
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60) {
                ++red;
                EXPECT_GE(y, 100);
                EXPECT_LT(y, 130);
            }
        }
    }
    EXPECT_GT(red, 50);
}

TEST_F(QtDeviceContextTest, PicturesHaveTheirSizesAndArePainted) {
    QPainter painter(&image);
    qt_device_context dc(painter, image.rect());
    EXPECT_EQ(dc.picture_size(picture_id::start_page), (text_size{477, 406}));
    EXPECT_EQ(dc.picture_size(picture_id::loading_box), (text_size{399, 168}));
    EXPECT_EQ(dc.picture_size(picture_id::about_box), (text_size{416, 258}));
    EXPECT_EQ(dc.picture_size(picture_id::goto_dictionary), (text_size{304, 48}));
    dc.draw_picture(picture_id::start_page, 10, 10);
    painter.end();
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));
    // Inside the picture the background is not white, and the picture is drawn in colour.
    EXPECT_NE(image.pixelColor(20, 300), QColor(Qt::white));
    EXPECT_FALSE(application_icon().isNull());
}

TEST_F(QtDeviceContextTest, ClipBoxIsTheClipRegionWithinTheSurface) {
    QPainter painter(&image);
    qt_device_context dc(painter, QRect(0, 0, 300, 200));
    EXPECT_EQ(dc.clip_box(), (rect{0, 0, 300, 200}));
    painter.setClipRect(QRect(10, 20, 30, 40));
    EXPECT_EQ(dc.clip_box(), (rect{10, 20, 40, 60}));
}

} // namespace
} // namespace veso::platform
