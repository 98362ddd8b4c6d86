#include "greek/betaconverter.h"
#include "reference_conversion.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <unicode/uchar.h>
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

// The tables as the Beta Code rules and the Unicode character names give them, independently of
// the converter: a letter's name plus its marks' names ("ALPHA WITH PSILI AND OXIA") is looked up
// in the Unicode character database.
class expected_tables {
public:
    expected_tables() {
        for (std::size_t i = 0; i < letters.size(); ++i) {
            const std::string key(1, letters[i]);
            add_forward(key, small(names[i], {}));
        }
        add_forward("r(", small("RHO", {"DASIA"}));
        const std::string vowels = "aehiouw";
        for (char vowel : vowels) {
            const std::string name = names[letters.find(vowel)];
            const bool subscript = vowel == 'a' || vowel == 'h' || vowel == 'w';
            const bool diaeresis = vowel == 'i' || vowel == 'u';
            const bool circumflex = vowel != 'e' && vowel != 'o';
            for (const std::string breathing : {"", ")", "("}) {
                for (const std::string accent : {"", "\\", "/", "="}) {
                    if (accent == "=" && !circumflex) {
                        continue;
                    }
                    for (const std::string last : {"", "|", "+"}) {
                        if ((last == "|" && !subscript) || (last == "+" && !diaeresis) ||
                            (last == "+" && !breathing.empty()) ||
                            (breathing + accent + last).empty()) {
                            continue;
                        }
                        std::vector<std::string> marks;
                        if (!breathing.empty()) {
                            marks.push_back(breathing == ")" ? "PSILI" : "DASIA");
                        }
                        if (last == "+") {
                            marks.push_back("DIALYTIKA");
                        }
                        if (!accent.empty()) {
                            marks.push_back(accent_name(accent));
                        }
                        if (last == "|") {
                            marks.push_back("YPOGEGRAMMENI");
                        }
                        add_forward(std::string(1, vowel) + breathing + accent + last,
                                    small(name, marks));
                    }
                }
            }
        }
        for (const auto& [key, value] : forward) {
            reverse[value] = key;
        }
        reverse[code_point("GREEK SMALL LETTER SIGMA")] = u"s";
        reverse[code_point("GREEK SMALL LETTER FINAL SIGMA")] = u"s";
        for (std::size_t i = 0; i < names.size(); ++i) {
            reverse[code_point("GREEK CAPITAL LETTER " + names[i])] =
                u"*" + wide_string(1, letters[i]);
        }
        reverse[code_point("GREEK CAPITAL LETTER SIGMA")] = u"*s";
        reverse[code_point("GREEK CAPITAL LETTER RHO WITH DASIA")] = u"*(r";
        for (char vowel : vowels) {
            const std::string name = names[letters.find(vowel)];
            for (const std::string breathing : {")", "("}) {
                if (vowel == 'u' && breathing == ")") {
                    continue; // Unicode has no capital upsilon with psili
                }
                for (const std::string accent : {"", "\\", "/", "="}) {
                    // No circumflex on capital epsilon and omicron, nor (handled) on upsilon.
                    if (accent == "=" && (vowel == 'e' || vowel == 'o' || vowel == 'u')) {
                        continue;
                    }
                    std::string full = "GREEK CAPITAL LETTER " + name + " WITH ";
                    full += breathing == ")" ? "PSILI" : "DASIA";
                    if (!accent.empty()) {
                        full += " AND " + accent_name(accent);
                    }
                    const std::string key = "*" + breathing + accent + std::string(1, vowel);
                    reverse[code_point(full)] = wide_string(key.begin(), key.end());
                }
            }
        }
        reverse[u"("] = u"";
        reverse[u")"] = u"";
    }

    std::map<wide_string, wide_string> forward;
    std::map<wide_string, wide_string> reverse;

private:
    static constexpr std::string_view letters = "abgdezhqiklmncoprtufxyw";
    const std::vector<std::string> names = {
        "ALPHA", "BETA",  "GAMMA",   "DELTA", "EPSILON", "ZETA", "ETA",     "THETA",
        "IOTA",  "KAPPA", "LAMDA",   "MU",    "NU",      "XI",   "OMICRON", "PI",
        "RHO",   "TAU",   "UPSILON", "PHI",   "CHI",     "PSI",  "OMEGA"};

    static std::string accent_name(const std::string& accent) {
        return accent == "/" ? "OXIA" : accent == "=" ? "PERISPOMENI" : "VARIA";
    }
    static std::string small(const std::string& letter, const std::vector<std::string>& marks) {
        std::string name = "GREEK SMALL LETTER " + letter;
        for (std::size_t i = 0; i < marks.size(); ++i) {
            name += (i == 0 ? " WITH " : " AND ") + marks[i];
        }
        return name;
    }
    static wide_string code_point(const std::string& name) {
        UErrorCode status = U_ZERO_ERROR;
        const UChar32 c = u_charFromName(U_UNICODE_CHAR_NAME, name.c_str(), &status);
        EXPECT_TRUE(U_SUCCESS(status)) << name;
        return wide_string(1, static_cast<char16_t>(c));
    }
    void add_forward(const std::string& key, const std::string& name) {
        forward[wide_string(key.begin(), key.end())] = code_point(name);
    }
};

TEST_F(betaconverter_test, tables_are_those_the_rules_and_the_unicode_names_give) {
    const expected_tables expected;
    ASSERT_EQ(expected.forward.size(), 139u);
    ASSERT_EQ(expected.reverse.size(), 215u);
    for (const auto& [key, value] : expected.forward) {
        EXPECT_EQ(forward(key), value) << std::string(key.begin(), key.end());
    }
    EXPECT_EQ(converter.forward_table(), expected.forward);
    for (const auto& [character, key] : expected.reverse) {
        const auto found = converter.reverse_table().find(character);
        ASSERT_NE(found, converter.reverse_table().end()) << std::hex << int(character[0]);
        EXPECT_EQ(found->second, key) << std::hex << int(character[0]);
    }
    EXPECT_EQ(converter.reverse_table(), expected.reverse);
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
