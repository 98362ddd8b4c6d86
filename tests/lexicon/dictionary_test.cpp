#include "lexicon/lexicon.h"
#include "lexicon/string_edits.h"
#include "lexicon_fixture.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

namespace veso {
namespace {

// Markup expansion exactly as described: search from the start each time, stop conditions on
// the length at entry.
void reference_expand(const betaconverter& converter, wide_string& text) {
    const std::size_t length = text.size();
    while (true) {
        std::size_t open = text.find(u"<G>");
        if (open == wide_string::npos) {
            return;
        }
        std::size_t close = text.find(u"</G>");
        if (open > length || close == wide_string::npos || close > length) {
            return;
        }
        if (close < open) {
            text.erase(close, 4);
            continue;
        }
        wide_string span = text.substr(open + 3, close - open - 3) + u" ";
        text = text.substr(0, open) + converter.to_unicode(span) + text.substr(close + 4);
    }
}

class dictionary_test : public ::testing::Test {
protected:
    void SetUp() override {
        wide_string exact(1400, u'x');
        wide_string over = wide_string(1400, u'y') + u"z";
        data.dictionary({{u"lo/gos", u"<G>lo/gos</G>, word"},
                         {u"exact", exact},
                         {u"over", over},
                         {u"over1", over},
                         {u"qeo/s", u"god"},
                         {u"le/gw1", u"say"},
                         {u"fu/sis", u"nature"},
                         {u"cut", wide_string(1398, u'c') + u"<G>lo/gos</G>"},
                         {u"cut_span", wide_string(1390, u'c') + u" <G>lo/gos kai/</G> x"},
                         {u"cut_close", wide_string(1390, u'c') + u"<G>lo/go</G> x"},
                         {u"cut_style", wide_string(1399, u'i') + u"<I>word"},
                         {u"cut_after", wide_string(1390, u'a') + u"<G>a</G>" + u"<B>bold"},
                         {u"stray", u"a</G>b<G>a)/nqrwpos</G> c <G>open"}});
        lex = data.load();
    }
    test::data_folder data;
    std::unique_ptr<lexicon> lex;
};

TEST_F(dictionary_test, definitions_expand_greek_spans) {
    EXPECT_EQ(lex->definition_of(u"lo/gos"), u"\u03BB\u1F79\u03B3\u03BF\u03C2 , word");
    EXPECT_EQ(lex->definition_of(u"stray"),
              u"ab\u1F04\u03BD\u03B8\u03C1\u03C9\u03C0\u03BF\u03C2  c <G>open");
    EXPECT_EQ(lex->definition_of(u"missing"), u"");
}

TEST_F(dictionary_test, spelling_fallbacks_only_remove_or_shorten) {
    EXPECT_EQ(lex->definition_of(u"*qeo/s"), u"god");
    EXPECT_EQ(lex->definition_of(u"theo/s"), u"god");
    EXPECT_EQ(lex->definition_of(u"*theo/s2"), u"god");
    EXPECT_EQ(lex->definition_of(u"phu/sis"), u"nature");
    EXPECT_EQ(lex->short_definition_of(u"*le/gw"), u"");
    EXPECT_EQ(lex->definition_of(u"le/gw1"), u"say");
    EXPECT_EQ(lex->definition_of(u"*exact3"), wide_string(1400, u'x'));
    // A very long headword with many fallback steps is handled without deep recursion.
    wide_string long_headword;
    for (int i = 0; i < 20000; ++i) {
        long_headword += u"th*1";
    }
    EXPECT_EQ(lex->definition_of(long_headword), u"");
}

TEST_F(dictionary_test, short_definitions_are_cut_at_1400_characters) {
    EXPECT_EQ(lex->short_definition_of(u"exact"), wide_string(1400, u'x'));
    EXPECT_FALSE(lex->definition_truncated);
    EXPECT_EQ(lex->short_definition_of(u"over"), wide_string(1400, u'y') + u" .... ");
    EXPECT_TRUE(lex->definition_truncated);
    EXPECT_EQ(lex->short_definition_of(u"lo/gos"), lex->definition_of(u"lo/gos"));
    EXPECT_FALSE(lex->definition_truncated);
    // Found through a fallback spelling, still marked once.
    EXPECT_EQ(lex->short_definition_of(u"*over"), wide_string(1400, u'y') + u" .... ");
    EXPECT_TRUE(lex->definition_truncated);
    EXPECT_EQ(lex->short_definition_of(u"nothing"), u"");
    EXPECT_FALSE(lex->definition_truncated);
    // The cut never breaks a mark or a Greek span: it moves back to where they start.
    EXPECT_EQ(lex->short_definition_of(u"cut"), wide_string(1398, u'c') + u" .... ");
    EXPECT_EQ(lex->short_definition_of(u"cut_span"), wide_string(1390, u'c') + u"  .... ");
    EXPECT_EQ(lex->short_definition_of(u"cut_close"), wide_string(1390, u'c') + u" .... ");
    EXPECT_EQ(lex->short_definition_of(u"cut_style"), wide_string(1399, u'i') + u" .... ");
    EXPECT_TRUE(lex->definition_truncated);
    // A span closed before the cut is converted; the mark after it stays whole.
    EXPECT_EQ(lex->short_definition_of(u"cut_after"),
              wide_string(1390, u'a') + u"\u03B1 " + u" .... ");
}

TEST(expand_greek_markup, matches_the_plain_algorithm) {
    lexicon lex(std::filesystem::path("/nonexistent veso folder"));
    lex.wait_until_loaded();
    std::mt19937 random(99);
    const std::vector<wide_string> pieces = {u"<G>",    u"</G>", u"<", u"G", u">",   u"/",  u"</",
                                             u"lo/gos", u"a",    u"s", u" ", u"*)a", u"G>", u"/G>"};
    for (int i = 0; i < 100000; ++i) {
        wide_string text;
        for (int n = static_cast<int>(random() % 12); n > 0; --n) {
            text += pieces[random() % pieces.size()];
        }
        wide_string expected = text;
        reference_expand(lex.greek_converter(), expected);
        wide_string actual = text;
        lex.expand_greek_markup(actual);
        ASSERT_EQ(actual, expected) << std::string(text.begin(), text.end());
    }
}

// Two-letter headwords from letters whose code order is also their Greek order, so the index
// holds them in dictionary order.
test::records ordered_headwords(std::size_t count) {
    const wide_string letters = u"abehiklmnoprstuw";
    test::records entries;
    for (char16_t first : letters) {
        for (char16_t second : letters) {
            if (entries.size() < count) {
                wide_string headword{first, second};
                entries.push_back({headword, u"<G>" + headword + u"</G> def"});
            }
        }
    }
    return entries;
}

class paging_test : public ::testing::Test {
protected:
    void SetUp() override {
        entries = ordered_headwords(70);
        data.dictionary(entries);
        lex = data.load();
    }
    std::size_t first_row() const {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].first == lex->page_first_headword) {
                return i;
            }
        }
        return entries.size();
    }
    std::size_t rows() const { return lex->dictionary_page.size() / 2; }
    test::records entries;
    test::data_folder data;
    std::unique_ptr<lexicon> lex;
};

TEST_F(paging_test, a_page_starts_ten_entries_before_its_headword) {
    lex->open_dictionary_page(entries[2].first);
    EXPECT_EQ(first_row(), 0u);
    EXPECT_EQ(rows(), 20u);
    EXPECT_EQ(lex->dictionary_page[4], entries[2].first);
    EXPECT_EQ(lex->dictionary_page[5], lex->definition_of(entries[2].first));
    EXPECT_EQ(lex->page_last_headword, entries[19].first);

    lex->open_dictionary_page(entries[49].first);
    EXPECT_EQ(first_row(), 39u);
    EXPECT_EQ(lex->page_last_headword, entries[58].first);
    // Fallback spellings, then the first page.
    lex->open_dictionary_page(u"*" + entries[49].first + u"2");
    EXPECT_EQ(first_row(), 39u);
    lex->open_dictionary_page(u"unknown");
    EXPECT_EQ(first_row(), 0u);
}

TEST_F(paging_test, next_and_previous_pages_move_by_ten_rows) {
    lex->open_dictionary_page(entries[0].first);
    lex->previous_dictionary_page();
    EXPECT_EQ(first_row(), 0u);
    lex->next_dictionary_page();
    EXPECT_EQ(first_row(), 10u);
    lex->next_dictionary_page();
    EXPECT_EQ(first_row(), 20u);
    lex->previous_dictionary_page();
    EXPECT_EQ(first_row(), 10u);

    lex->open_dictionary_page(entries[69].first);
    EXPECT_EQ(first_row(), 59u);
    EXPECT_EQ(rows(), 11u);
    auto page = lex->dictionary_page;
    lex->next_dictionary_page();
    EXPECT_EQ(lex->dictionary_page, page);
    lex->previous_dictionary_page();
    EXPECT_EQ(first_row(), 59u);
    EXPECT_EQ(lex->page_last_headword, entries[69].first);
}

TEST(paging, an_empty_index_pages_harmlessly) {
    lexicon lex(std::filesystem::path("/nonexistent veso folder"));
    lex.wait_until_loaded();
    lex.open_dictionary_page(u"lo/gos");
    EXPECT_TRUE(lex.dictionary_page.empty());
    lex.next_dictionary_page();
    lex.previous_dictionary_page();
    EXPECT_TRUE(lex.dictionary_page.empty());
    EXPECT_EQ(lex.dictionary_neighbours(u"lo/gos"), (std::array<wide_string, 2>{u"", u""}));
}

TEST(dictionary_neighbours, gives_what_a_walk_over_the_index_gives) {
    std::mt19937 random(5);
    const wide_string letters = u"abgdq*/(1j";
    auto random_word = [&](std::size_t most) {
        wide_string word;
        for (std::size_t n = 1 + random() % most; n > 0; --n) {
            word += letters[random() % letters.size()];
        }
        return word;
    };
    test::data_folder data;
    std::map<wide_string, wide_string> dictionary;
    for (int i = 0; i < 3000; ++i) {
        dictionary.emplace(random_word(6), u"d");
    }
    data.dictionary(test::records(dictionary.begin(), dictionary.end()));
    auto lex = data.load();

    std::map<wide_string, wide_string> index;
    unsigned counter = 0;
    for (const auto& [headword, definition] : dictionary) {
        std::string digits = std::to_string(counter);
        index.emplace(lexicon::alphabetical_sort_key(headword) +
                          wide_string(digits.begin(), digits.end()),
                      headword);
        counter = (counter + 1) % 500;
    }
    EXPECT_EQ(lex->alphabetical_index_size(), index.size());
    for (int probe = 0; probe < 3000; ++probe) {
        wide_string headword = random_word(7);
        ASSERT_EQ(lex->dictionary_neighbours(headword),
                  test::walked_neighbours(index, lexicon::alphabetical_sort_key(headword), 1, true))
            << std::string(headword.begin(), headword.end());
    }
}

} // namespace
} // namespace veso
