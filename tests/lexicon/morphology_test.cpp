#include "lexicon/lexicon.h"
#include "lexicon/neighbour_walk.h"
#include "lexicon/string_edits.h"
#include "lexicon_fixture.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

namespace veso {
namespace {

wide_string cleaned(wide_string word) {
    clean_clicked_word(word);
    return word;
}

TEST(string_edits, replace_first_touches_only_the_first_occurrence) {
    wide_string text = u"abcabc";
    EXPECT_TRUE(replace_first(text, u"bc", u"X"));
    EXPECT_EQ(text, u"aXabc");
    EXPECT_TRUE(replace_first(text, u"a", u""));
    EXPECT_EQ(text, u"Xabc");
    EXPECT_FALSE(replace_first(text, u"zz", u"y"));
    EXPECT_EQ(text, u"Xabc");
}

TEST(string_edits, clean_clicked_word_steps) {
    EXPECT_EQ(cleaned(u"lo/gos,"), u"lo/gos");
    EXPECT_EQ(cleaned(u"lo/gos."), u"lo/gos");
    EXPECT_EQ(cleaned(u"lo/gos\u0387"), u"lo/gos");
    EXPECT_EQ(cleaned(u"lo\\gos"), u"lo/gos");
    EXPECT_EQ(cleaned(u"a,,b"), u"a,b");
    EXPECT_EQ(cleaned(u"[a]-b;:\"c\u00B2\u00B3\u2018\u2019\u2020 d"), u"abcd");
    // A second acute goes; "/+" goes first when there is one.
    EXPECT_EQ(cleaned(u"a/nqrwpo/s"), u"a/nqrwpos");
    EXPECT_EQ(cleaned(u"a/i/+s"), u"a/is");
    // Without a second acute, the diaeresis goes.
    EXPECT_EQ(cleaned(u"i+s"), u"is");
    // An acute before a circumflex goes.
    EXPECT_EQ(cleaned(u"a/th="), u"ath=");
    // Cut at a second carriage return (the first one is removed in step 2).
    EXPECT_EQ(cleaned(u"ab\rcd\ref"), u"abcd");
    EXPECT_EQ(cleaned(u""), u"");
}

TEST(string_edits, clean_clicked_word_never_reads_outside_the_word) {
    // The first acute's position is taken before later removals and can end up past the end.
    for (const wide_string word :
         {u"=/+/", u"//+=", u"/=/", u"a/+/=", u"/+/+/=", u"=//", u"/ /=", u"//"}) {
        wide_string copy = word;
        clean_clicked_word(copy);
        EXPECT_LE(copy.size(), word.size());
    }
    EXPECT_EQ(cleaned(u"=//"), u"=");
    std::mt19937 random(7);
    const wide_string alphabet = u"/+=\\\r, a";
    for (int i = 0; i < 100000; ++i) {
        wide_string word;
        for (int n = static_cast<int>(random() % 8); n > 0; --n) {
            word += alphabet[random() % alphabet.size()];
        }
        clean_clicked_word(word);
    }
}

class morphology_test : public ::testing::Test {
protected:
    void SetUp() override {
        data.morphology({{u"a)lhqei/as", u"N a)lh/qeia fem gen sg\x09"},
                         {u"lo/gos", u"N lo/gos masc nom sg\x09\x03V le/gw pres\x09"},
                         {u"lo/gou", u"N lo/gos masc gen sg\x09"},
                         {u"lo/gw|", u"N lo/gos masc dat sg\x09"},
                         {u"th=s", u"E o( fem gen sg\x09"},
                         {u"*)aqh=nai", u"N *)aqh=nai fem nom pl\x09"}});
        lex = data.load();
    }
    test::data_folder data;
    std::unique_ptr<lexicon> lex;
};

TEST_F(morphology_test, analyse_word_finds_cleaned_words_with_neighbours) {
    auto result = lex->analyse_word(u"lo\\gou,", true);
    EXPECT_EQ(result[0], u"N lo/gos masc gen sg\x09");
    EXPECT_EQ(result[1], u"lo/gos");
    EXPECT_EQ(result[2], u"lo/gw|");
    // The first and the last entry give themselves as the missing neighbour.
    result = lex->analyse_word(u"*)aqh=nai", false);
    EXPECT_EQ(result[1], u"*)aqh=nai");
    EXPECT_EQ(result[2], u"a)lhqei/as");
    result = lex->analyse_word(u"th=s", false);
    EXPECT_EQ(result[1], u"lo/gw|");
    EXPECT_EQ(result[2], u"th=s");
}

TEST_F(morphology_test, capitals_are_retried_without_their_marker) {
    EXPECT_EQ(lex->analyse_word(u"*lo/gos", true)[0], lex->analysis_of(u"lo/gos"));
    EXPECT_EQ(lex->analyse_word(u"**lo/gos", true)[0], lex->analysis_of(u"lo/gos"));
    EXPECT_EQ(lex->analysis_of(u"*lo/gos,"), lex->analysis_of(u"lo/gos"));
    // A word not found comes back as given when it has no "*", else as the last form tried.
    EXPECT_EQ(lex->analyse_word(u"xyz,", true), (std::array<wide_string, 3>{u"xyz,", u"?", u"?"}));
    EXPECT_EQ(lex->analyse_word(u"*xyz,", true), (std::array<wide_string, 3>{u"xyz", u"?", u"?"}));
    EXPECT_EQ(lex->analysis_of(u"xyz,"), u"xyz,");
    EXPECT_EQ(lex->analysis_of(u""), u"");
    // Without cleaning the comma stays and the word is not found.
    EXPECT_EQ(lex->analyse_word(u"lo/gos,", false)[0], u"lo/gos,");
}

TEST_F(morphology_test, morphology_neighbours_by_growing_prefix) {
    // "l" reaches lo/gos and moves on to lo/gou, which shares "lo" and moves on to lo/gw|;
    // th=s then leaves the prefix.
    auto result = lex->morphology_neighbours(u"lo/gh");
    EXPECT_EQ(result[0], u"lo/gou");
    EXPECT_EQ(result[1], u"lo/gw|");
    EXPECT_EQ(lex->morphology_neighbours(u"zzz"), (std::array<wide_string, 2>{u"", u""}));
    EXPECT_EQ(lex->morphology_neighbours(u""), (std::array<wide_string, 2>{u"", u""}));
    result = lex->morphology_neighbours(u"*)a");
    EXPECT_EQ(result[0], u"*)aqh=nai");
    EXPECT_EQ(result[1], u"a)lhqei/as");
}

TEST(neighbour_walk, gives_what_a_walk_from_the_first_entry_gives) {
    std::mt19937 random(42);
    const wide_string alphabet = u"ab(*/";
    auto random_word = [&](std::size_t most) {
        wide_string word;
        for (std::size_t n = random() % (most + 1); n > 0; --n) {
            word += alphabet[random() % alphabet.size()];
        }
        return word;
    };
    for (int round = 0; round < 400; ++round) {
        std::map<wide_string, wide_string> table;
        table_builder builder;
        for (int n = static_cast<int>(random() % 300); n > 0; --n) {
            wide_string key = random_word(6);
            wide_string value = u"v" + key;
            if (table.emplace(key, value).second) {
                builder.add(key, value);
            }
        }
        auto sorted = builder.finish();
        for (int probe = 0; probe < 60; ++probe) {
            wide_string word = random_word(7);
            std::size_t length = 1 + random() % 2;
            bool values = random() % 2 == 0;
            ASSERT_EQ(neighbour_walk(*sorted, word, length, values),
                      test::walked_neighbours(table, word, length, values))
                << std::string(word.begin(), word.end()) << " length " << length;
        }
    }
}

} // namespace
} // namespace veso
