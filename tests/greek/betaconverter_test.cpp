#include "greek/betaconverter.h"
#include "reference_conversion.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <vector>

namespace veso {
namespace {

class betaconverter_test : public ::testing::Test {
protected:
    betaconverter converter;
    wide_string forward(const wide_string& key) const {
        auto found = converter.forward_table().find(key);
        return found == converter.forward_table().end() ? u"<none>" : found->second;
    }
};

TEST_F(betaconverter_test, tables_have_their_sizes_and_single_character_values) {
    EXPECT_EQ(converter.forward_table().size(), 139u);
    EXPECT_EQ(converter.reverse_table().size(), 215u);
    std::set<wide_string> values;
    for (const auto& [key, value] : converter.forward_table()) {
        EXPECT_EQ(value.size(), 1u) << std::string(key.begin(), key.end());
        values.insert(value);
    }
    EXPECT_EQ(values.size(), 139u);
    for (const auto& [key, value] : converter.reverse_table()) {
        EXPECT_EQ(key.size(), 1u);
    }
}

TEST_F(betaconverter_test, forward_table_uses_oxia_and_the_fixed_code_points) {
    EXPECT_EQ(forward(u"a"), u"\u03B1");
    EXPECT_EQ(forward(u"w"), u"\u03C9");
    EXPECT_EQ(forward(u"c"), u"\u03BE");
    EXPECT_EQ(forward(u"r("), u"\u1FE5");
    EXPECT_EQ(forward(u"a/"), u"\u1F71");
    EXPECT_EQ(forward(u"e/"), u"\u1F73");
    EXPECT_EQ(forward(u"h/"), u"\u1F75");
    EXPECT_EQ(forward(u"i/"), u"\u1F77");
    EXPECT_EQ(forward(u"o/"), u"\u1F79");
    EXPECT_EQ(forward(u"u/"), u"\u1F7B");
    EXPECT_EQ(forward(u"w/"), u"\u1F7D");
    EXPECT_EQ(forward(u"a\\"), u"\u1F70");
    EXPECT_EQ(forward(u"e\\"), u"\u1F72");
    EXPECT_EQ(forward(u"i/+"), u"\u1FD3");
    EXPECT_EQ(forward(u"u/+"), u"\u1FE3");
    EXPECT_EQ(forward(u"i+"), u"\u03CA");
    EXPECT_EQ(forward(u"u+"), u"\u03CB");
    EXPECT_EQ(forward(u"a="), u"\u1FB6");
    EXPECT_EQ(forward(u"h="), u"\u1FC6");
    EXPECT_EQ(forward(u"i="), u"\u1FD6");
    EXPECT_EQ(forward(u"u="), u"\u1FE6");
    EXPECT_EQ(forward(u"w="), u"\u1FF6");
    EXPECT_EQ(forward(u"a)\\"), u"\u1F02");
    EXPECT_EQ(forward(u"h(/|"), u"\u1F95");
    EXPECT_EQ(forward(u"w(=|"), u"\u1FA7");
    EXPECT_EQ(forward(u"i=+"), u"\u1FD7");
    EXPECT_EQ(forward(u"a=|"), u"\u1FB7");
    EXPECT_EQ(forward(u"u(="), u"\u1F57");
    EXPECT_EQ(forward(u"a|"), u"\u1FB3");
    EXPECT_EQ(forward(u"w/|"), u"\u1FF4");
    EXPECT_EQ(forward(u"o(\\"), u"\u1F43");
    for (const wide_string missing :
         {u"s", u"j", u"v", u"A", u"r)", u"a/)", u"e=", u"o|", u"a+", u"e|", u"i|", u"a+/"}) {
        EXPECT_EQ(forward(missing), u"<none>") << std::string(missing.begin(), missing.end());
    }
    for (char16_t tonos :
         {0x03AC, 0x03AD, 0x03AE, 0x03AF, 0x03CC, 0x03CD, 0x03CE, 0x0390, 0x03B0}) {
        EXPECT_EQ(converter.reverse_table().count(wide_string(1, tonos)), 0u);
    }
}

TEST_F(betaconverter_test, reverse_table_covers_sigma_capitals_and_breathings) {
    const auto& reverse = converter.reverse_table();
    EXPECT_EQ(reverse.at(u"\u1F71"), u"a/");
    EXPECT_EQ(reverse.at(u"\u1FA7"), u"w(=|");
    EXPECT_EQ(reverse.at(u"\u03C1"), u"r");
    EXPECT_EQ(reverse.at(u"\u1FE5"), u"r(");
    EXPECT_EQ(reverse.at(u"\u03C3"), u"s");
    EXPECT_EQ(reverse.at(u"\u03C2"), u"s");
    EXPECT_EQ(reverse.at(u"\u0391"), u"*a");
    EXPECT_EQ(reverse.at(u"\u03A3"), u"*s");
    EXPECT_EQ(reverse.at(u"\u03A9"), u"*w");
    EXPECT_EQ(reverse.at(u"\u1FEC"), u"*(r");
    EXPECT_EQ(reverse.at(u"\u1F08"), u"*)a");
    EXPECT_EQ(reverse.at(u"\u1F0C"), u"*)/a");
    EXPECT_EQ(reverse.at(u"\u1F6F"), u"*(=w");
    EXPECT_EQ(reverse.at(u"\u1F59"), u"*(u");
    EXPECT_EQ(reverse.at(u"("), u"");
    EXPECT_EQ(reverse.at(u")"), u"");
    EXPECT_EQ(reverse.count(u"\u03A2"), 0u);
}

TEST_F(betaconverter_test, only_the_eight_marks_are_marks) {
    std::set<char16_t> marks;
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (betaconverter::is_beta_mark(static_cast<char16_t>(c))) {
            marks.insert(static_cast<char16_t>(c));
        }
    }
    EXPECT_EQ(marks, (std::set<char16_t>{u'(', u')', u'*', u'+', u'/', u'=', u'\\', u'|'}));
}

TEST_F(betaconverter_test, to_unicode_edge_cases) {
    EXPECT_EQ(converter.to_unicode(u""), u"");
    EXPECT_EQ(converter.to_unicode(u"lo/gos "), u"\u03BB\u1F79\u03B3\u03BF\u03C2 ");
    EXPECT_EQ(converter.to_unicode(u"lo/gos"), u"\u03BB\u1F79\u03B3\u03BF\u03C3");
    EXPECT_EQ(converter.to_unicode(u"o( lo/gos th=s a)lhqei/as "),
              u"\u1F41 \u03BB\u1F79\u03B3\u03BF\u03C2 \u03C4\u1FC6\u03C2 "
              u"\u1F00\u03BB\u03B7\u03B8\u03B5\u1F77\u03B1\u03C2 ");
    EXPECT_EQ(converter.to_unicode(u" *)/a"), u" \u1F0C");
    EXPECT_EQ(converter.to_unicode(u"a/)"), u"a/)");
    EXPECT_EQ(converter.to_unicode(u"n*)a "), u"n\u1F08 ");
    EXPECT_EQ(converter.to_unicode(u"s1"), u"\u03C2");
    EXPECT_EQ(converter.to_unicode(u"s2"), u"\u03C2");
    EXPECT_EQ(converter.to_unicode(u"s3"), u"\u03C33");
    EXPECT_EQ(converter.to_unicode(u"Ch"), u"\u03C7");
}

TEST_F(betaconverter_test, sigma_takes_its_final_form_before_the_listed_characters_only) {
    for (const wide_string after : {u" ", u".", u",", u";", u"<", u"\r", u"\n"}) {
        EXPECT_EQ(converter.to_unicode(u"s" + after), u"\u03C2" + after);
    }
    for (const wide_string after : {u"'", u":", u"-", u"3", u"a"}) {
        EXPECT_EQ(converter.to_unicode(u"s" + after).substr(0, 1), u"\u03C3");
    }
    EXPECT_EQ(converter.to_unicode(u"*sw/zw "), u"\u03A3\u1F7D\u03B6\u03C9 ");
    // The final-form rules run first, so a capital sigma alone before a space keeps its "*".
    EXPECT_EQ(converter.to_unicode(u"*s "), u"*\u03C2 ");
}

TEST_F(betaconverter_test, capitals_with_and_without_breathing) {
    EXPECT_EQ(converter.to_unicode(u"*a"), u"\u0391");
    EXPECT_EQ(converter.to_unicode(u"*w"), u"\u03A9");
    EXPECT_EQ(converter.to_unicode(u"*(r"), u"\u1FEC");
    EXPECT_EQ(converter.to_unicode(u"*(=w"), u"\u1F6F");
    EXPECT_EQ(converter.to_unicode(u"*(u"), u"\u1F59");
    EXPECT_EQ(converter.to_unicode(u"*(/u"), u"\u1F5D");
    // Upsilon has no capital with smooth breathing: the breathing goes onto the small letter.
    EXPECT_EQ(converter.to_unicode(u"*)u"), u"*\u1F50");
    EXPECT_EQ(converter.to_unicode(u"*(/a|"), u"\u1F8D");
    EXPECT_EQ(converter.to_unicode(u"*)/a|"), u"*)/\u1FB3");
    EXPECT_EQ(converter.to_unicode(u"*/a"), u"*/\u03B1");
    EXPECT_EQ(converter.to_unicode(u"*)=e"), u"*)=\u03B5");
    EXPECT_EQ(converter.to_unicode(u"*Ch"), u"\u03A7");
    EXPECT_EQ(converter.to_unicode(u"(a"), u"\u1F01");
}

TEST_F(betaconverter_test, only_the_first_ten_thousand_characters_are_converted) {
    wide_string text(9999, u'a');
    text += u"bb";
    wide_string expected(9999, u'\u03B1');
    expected += u'\u03B2';
    EXPECT_EQ(converter.to_unicode(text), expected);
}

TEST_F(betaconverter_test, to_betacode_cases) {
    EXPECT_EQ(converter.to_betacode(u"\u03BB\u1F79\u03B3\u03BF\u03C2"), u"lo/gos");
    EXPECT_EQ(converter.to_betacode(u"\u1F0C"), u"*)/a");
    EXPECT_EQ(converter.to_betacode(u"(\u1F41)"), u"o(");
    EXPECT_EQ(converter.to_betacode(u"\u03BB\u03CC\u03B3\u03BF\u03C2"), u"l\u03CCgos");
    wide_string long_text(20000, u'\u03B1');
    EXPECT_EQ(converter.to_betacode(long_text), wide_string(20000, u'a'));
}

TEST_F(betaconverter_test, every_table_key_round_trips) {
    for (const auto& [key, value] : converter.forward_table()) {
        EXPECT_EQ(converter.to_betacode(converter.to_unicode(key + u" ")), key + u" ");
    }
    EXPECT_EQ(converter.to_betacode(converter.to_unicode(u"s1 ")), u"s ");
    for (const auto& [character, key] : converter.reverse_table()) {
        if (key.size() > 1 && key[0] == u'*') {
            EXPECT_EQ(converter.to_betacode(converter.to_unicode(key + u"a ")), key + u"a ");
        }
    }
}

// Random texts made mostly of the pieces the rules look at, so that they meet often.
wide_string random_beta_text(std::mt19937& random) {
    static const std::vector<wide_string> pieces = {
        u"a", u"e",      u"h",      u"i",      u"o",      u"u",      u"w",  u"r", u"s", u"C",
        u"b", u"q",      u"(",      u")",      u"*",      u"/",      u"\\", u"=", u"|", u"+",
        u" ", u".",      u",",      u";",      u"<",      u"\r",     u"\n", u"1", u"2", u"3",
        u"'", u"\u03B7", u"\u03C3", u"\u03C1", u"\u03B1", u"\u1FB3", u"G",  u">"};
    std::uniform_int_distribution<std::size_t> length(0, 14);
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
    wide_string text;
    for (std::size_t n = length(random); n > 0; --n) {
        text += pieces[piece(random)];
    }
    return text;
}

TEST_F(betaconverter_test, single_scan_matches_rule_by_rule_conversion) {
    test::reference_conversion reference(converter);
    std::mt19937 random(20261208);
    for (int i = 0; i < 300000; ++i) {
        wide_string text = random_beta_text(random);
        ASSERT_EQ(converter.to_unicode(text), reference.to_unicode(text))
            << "input: " << std::string(text.begin(), text.end());
    }
    wide_string at_cut(9998, u'a');
    for (const wide_string tail : {u"s ", u"s", u"*a", u"*(/a|", u"Ch", u"C"}) {
        EXPECT_EQ(converter.to_unicode(at_cut + tail), reference.to_unicode(at_cut + tail));
    }
}

TEST_F(betaconverter_test, spaced_conversion_equals_converting_with_a_space_appended) {
    std::mt19937 random(20261210);
    for (int i = 0; i < 50000; ++i) {
        wide_string text = random_beta_text(random);
        wide_string out = u"x";
        converter.to_unicode_spaced(text, out);
        ASSERT_EQ(out, u"x" + converter.to_unicode(text + u" "))
            << "input: " << std::string(text.begin(), text.end());
    }
    for (std::size_t length : {9998, 9999, 10000, 10001}) {
        for (const wide_string tail : {u"s", u"*)a", u"w|"}) {
            wide_string text = wide_string(length - tail.size(), u'a') + tail;
            wide_string out;
            converter.to_unicode_spaced(text, out);
            EXPECT_EQ(out, converter.to_unicode(text + u" ")) << length;
        }
    }
}

TEST_F(betaconverter_test, appending_conversion_leaves_the_text_before_it_alone) {
    std::mt19937 random(20261209);
    const std::vector<wide_string> prefixes = {u"", u"*", u"C", u"s", u"(", u"x*("};
    for (int i = 0; i < 20000; ++i) {
        wide_string text = random_beta_text(random);
        const wide_string& prefix = prefixes[static_cast<std::size_t>(i) % prefixes.size()];
        wide_string out = prefix;
        converter.to_unicode(text, out);
        ASSERT_EQ(out, prefix + converter.to_unicode(text))
            << "input: " << std::string(text.begin(), text.end());
    }
}

} // namespace
} // namespace veso
