#include "platform/qt/qt_device_context.h"
#include "platform/qt/qt_fonts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <string>

namespace veso::platform {
namespace {

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// A device at a given resolution; QImage keeps its resolution as dots per metre.
QImage image_at_dpi(int dpi, int width = 400, int height = 100) {
    QImage image(width, height, QImage::Format_RGB32);
    const int dots_per_metre = static_cast<int>(dpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dots_per_metre);
    image.setDotsPerMeterY(dots_per_metre);
    image.fill(Qt::white);
    return image;
}

const std::u16string greek_words[] = {u"ἄνδρα", u"μοι",  u"ἔννεπε", u"Μοῦσα",   u"πολύτροπον",
                                      u"ὃς",    u"μάλα", u"πολλὰ",  u"πλάγχθη", u"ἐπεὶ"};

TEST(QtFontMetrics, WidthsAreQtsWhetherMeasuredOrRemembered) {
    const qt_font font{font_description{}};
    const QImage image = image_at_dpi(96);
    const QFontMetrics qt(font.qfont(), &image);
    qt_font_metrics metrics(font.qfont(), &image);
    EXPECT_EQ(metrics.height(), qt.height());
    EXPECT_EQ(metrics.ascent(), qt.ascent());
    EXPECT_EQ(metrics.space_width(), qt.horizontalAdvance(QLatin1Char(' ')));
    EXPECT_EQ(metrics.width(u""), 0);
    for (int round = 0; round < 2; ++round) {
        for (const auto& word : greek_words) {
            EXPECT_EQ(metrics.width(word), qt.horizontalAdvance(to_qstring(word))) << round;
        }
    }
    EXPECT_EQ(metrics.cached_texts(), std::size(greek_words));
    // A long text is measured each time, not held.
    std::u16string line;
    while (line.size() <= qt_font_metrics::longest_cached_text) {
        line += u"ἄνδρα μοι ἔννεπε ";
    }
    EXPECT_EQ(metrics.width(line), qt.horizontalAdvance(to_qstring(line)));
    EXPECT_EQ(metrics.cached_texts(), std::size(greek_words));
}

TEST(QtFontMetrics, CacheStaysBoundedAndRemeasuresWhatItDropped) {
    const qt_font font{font_description{}};
    const QImage image = image_at_dpi(96);
    const QFontMetrics qt(font.qfont(), &image);
    qt_font_metrics metrics(font.qfont(), &image);
    metrics.width(u"πρῶτον");
    for (std::size_t i = 0; i < 3 * qt_font_metrics::width_generation_size; ++i) {
        const std::string number = std::to_string(i);
        metrics.width(u"λ" + std::u16string(number.begin(), number.end()));
        ASSERT_LE(metrics.cached_texts(), 2 * qt_font_metrics::width_generation_size);
    }
    EXPECT_GE(metrics.cached_texts(), qt_font_metrics::width_generation_size);
    EXPECT_EQ(metrics.width(u"πρῶτον"), qt.horizontalAdvance(QStringLiteral("πρῶτον")));
    EXPECT_EQ(metrics.width(u"ἔννεπε"), qt.horizontalAdvance(QStringLiteral("ἔννεπε")));
}

TEST(QtFontMetrics, KeptPerResolutionAndBounded) {
    const qt_font font{font_description{}};
    const QImage normal = image_at_dpi(96);
    const QImage other_normal = image_at_dpi(96, 50, 50);
    const QImage fine = image_at_dpi(192);
    const auto at_96 = font.metrics_for(&normal);
    EXPECT_EQ(font.metrics_for(&other_normal), at_96);
    const auto at_192 = font.metrics_for(&fine);
    EXPECT_NE(at_192, at_96);
    EXPECT_EQ(at_192->logical_dpi(), fine.logicalDpiY());
    EXPECT_EQ(at_192->height(), QFontMetrics(font.qfont(), &fine).height());
    for (const int dpi : {72, 120, 144, 240}) {
        const QImage image = image_at_dpi(dpi);
        EXPECT_EQ(font.metrics_for(&image)->logical_dpi(), image.logicalDpiY());
    }
    // The oldest resolution made way; asking again makes fresh metrics that still measure right.
    const auto again = font.metrics_for(&normal);
    EXPECT_NE(again, at_96);
    EXPECT_EQ(again->width(u"μῆνιν"),
              QFontMetrics(font.qfont(), &normal).horizontalAdvance(QStringLiteral("μῆνιν")));
}

// A font from another factory.
class foreign_font : public font {
public:
    const font_description& description() const override { return description_; }

private:
    font_description description_{u"Palatino Linotype", 18, 700, false, false};
};

TEST(QtDeviceContextMetrics, ExtentsAreThoseOfThePaintersFont) {
    QImage image = image_at_dpi(96);
    QPainter painter(&image);
    qt_device_context dc(painter, image.rect());
    const qt_font ours{font_description{}};
    const foreign_font theirs;
    for (const font* f : {static_cast<const font*>(&ours), static_cast<const font*>(&theirs)}) {
        dc.select_font(*f);
        const QFontMetrics qt(painter.font(), painter.device());
        for (const auto& word : greek_words) {
            EXPECT_EQ(dc.text_extent(word),
                      (text_size{qt.horizontalAdvance(to_qstring(word)), qt.height()}));
        }
    }
}

TEST(QtDeviceContextMetrics, JustifiedTextIsDrawnAsItsRunsAtTheirWidenedPlaces) {
    const qt_font font{font_description{}};
    QImage justified = image_at_dpi(96);
    QImage by_hand = image_at_dpi(96);
    {
        QPainter painter(&justified);
        qt_device_context dc(painter, justified.rect());
        dc.select_font(font);
        dc.set_text_justification(7, 3);
        dc.text_out(5, 10, u"ἄνδρα μοι ");
        dc.text_out(200, 10, u"ἔννεπε Μοῦσα");
    }
    {
        QPainter painter(&by_hand);
        qt_device_context dc(painter, by_hand.rect());
        dc.select_font(font);
        const int space = dc.text_extent(u" ").width;
        const int first = 5 + dc.text_extent(u"ἄνδρα").width + space + 3;
        dc.text_out(5, 10, u"ἄνδρα");
        dc.text_out(first, 10, u"μοι");
        dc.text_out(200, 10, u"ἔννεπε");
        dc.text_out(200 + dc.text_extent(u"ἔννεπε").width + space + 2, 10, u"Μοῦσα");
    }
    EXPECT_EQ(justified, by_hand);
}

TEST(QtFontMetrics, ShapedTextIsDrawnAsDrawTextDrawsIt) {
    const std::u16string texts[] = {
        u"ἄνδρα",  u"ῥοδοδάκτυλος·",   u"Ἠώς,", u"ᾠδῇ",    u"“Iliad” 1.23", u"(ἐπεὶ)",
        u"ϝάναξ;", u"Μῆνιν ἄειδε θεὰ", u"a\tb", u"ὦ\nφίλε"};
    font_description bold;
    bold.weight = 700;
    font_description italic;
    italic.italic = true;
    italic.height = 18;
    for (const auto& description : {font_description{}, bold, italic}) {
        const qt_font font{description};
        QImage shaped = image_at_dpi(96, 600, 120);
        QImage plain = image_at_dpi(96, 600, 120);
        QPainter by_metrics(&shaped);
        QPainter by_qt(&plain);
        by_metrics.setFont(font.qfont());
        by_qt.setFont(font.qfont());
        auto metrics = font.metrics_for(&shaped);
        for (int round = 0; round < 2; ++round) {
            int x = 3 + round;
            for (const auto& text : texts) {
                metrics->draw(by_metrics, x, 30 + 50 * round, text);
                by_qt.drawText(x, 30 + 50 * round, to_qstring(text));
                x += metrics->width(text) + 7;
            }
        }
        by_metrics.end();
        by_qt.end();
        EXPECT_EQ(shaped, plain) << description.weight << description.italic;
    }
}

} // namespace
} // namespace veso::platform
