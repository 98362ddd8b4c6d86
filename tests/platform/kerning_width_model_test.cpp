#include "platform/qt/kerning_width_model.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace veso::platform {
namespace {

// A made-up face, in 64ths of a pixel: letters of uneven fractional widths, "AV" and "Te" kerned,
// and, when contextual is set, "ffi" narrower than its pairs make it, as a ligature is, and a
// combining mark that moves the letter before it.
struct made_up_face {
    bool contextual = false;
    int whole_measurements = 0;

    std::int64_t operator()(std::u16string_view text) {
        if (text.size() > 2) {
            ++whole_measurements;
        }
        std::int64_t width = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            width += 500 + 37 * (c % 11);
            if (i > 0 && text[i - 1] == u'A' && c == u'V')
                width -= 150;
            if (i > 0 && text[i - 1] == u'T' && c == u'e')
                width -= 70;
            if (contextual && i > 1 && text.substr(i - 2, 3) == u"ffi")
                width -= 300;
        }
        return width;
    }
    // The width in whole pixels, rounded to nearest as Qt rounds advances.
    int pixels(std::u16string_view text) {
        const int saved = whole_measurements;
        const auto fixed = static_cast<double>((*this)(text));
        whole_measurements = saved;
        return static_cast<int>(std::lround(fixed / 64.0));
    }
};

std::vector<std::u16string> words(int count) {
    std::vector<std::u16string> all;
    const std::u16string stems[] = {u"AVe ", u"Tea,", u"μῆνιν ", u"ἄειδε", u"θεὰ· ", u"affine"};
    for (int i = 0; i < count; ++i) {
        std::u16string word = stems[i % std::size(stems)];
        for (int n = i; n > 0; n /= 7)
            word += static_cast<char16_t>(u'a' + n % 7);
        all.push_back(word);
    }
    return all;
}

TEST(KerningWidthModel, PairKernedFaceIsSummedExactlyOnceTrusted) {
    made_up_face face;
    kerning_width_model model([&face](std::u16string_view text) { return face(text); });
    const auto texts = words(4 * kerning_width_model::agreements_needed);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ASSERT_EQ(model.width(texts[i]), face.pixels(texts[i])) << i;
        EXPECT_EQ(model.trusted(), i + 1 >= kerning_width_model::agreements_needed) << i;
    }
    // After the first agreements only a sample is measured whole.
    const int learning = kerning_width_model::agreements_needed;
    EXPECT_LE(face.whole_measurements, learning +
                                           (static_cast<int>(texts.size()) - learning) /
                                               kerning_width_model::sample_interval +
                                           1);
}

TEST(KerningWidthModel, ContextualFaceIsMeasuredWholeForGood) {
    made_up_face face;
    face.contextual = true;
    kerning_width_model model([&face](std::u16string_view text) { return face(text); });
    auto texts = words(2 * kerning_width_model::agreements_needed);
    texts.insert(texts.begin() + 20, u"office");
    for (const auto& text : texts)
        ASSERT_EQ(model.width(text), face.pixels(text)) << std::string(text.begin(), text.end());
    EXPECT_TRUE(model.refuted());
    EXPECT_FALSE(model.trusted());
}

TEST(KerningWidthModel, SampleThatDisagreesAfterTrustEndsTheSums) {
    made_up_face face;
    kerning_width_model model([&face](std::u16string_view text) { return face(text); });
    for (const auto& text : words(kerning_width_model::agreements_needed))
        model.width(text);
    ASSERT_TRUE(model.trusted());
    face.contextual = true;
    for (int i = 0; i < kerning_width_model::sample_interval; ++i)
        model.width(u"offices");
    EXPECT_TRUE(model.refuted());
    EXPECT_EQ(model.width(u"offices"), face.pixels(u"offices"));
    EXPECT_EQ(model.width(u"AVe"), face.pixels(u"AVe"));
}

} // namespace
} // namespace veso::platform
