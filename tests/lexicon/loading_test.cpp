#include "lexicon/lexicon.h"
#include "lexicon_fixture.h"

#include <gtest/gtest.h>
#include <string>

namespace veso {
namespace {

using test::data_folder;

TEST(lexicon_loading, first_record_wins_within_and_across_files) {
    data_folder data;
    data.morphology({{u"lo/gos", u"N first"}, {u"lo/gos", u"N second"}, {u"a", u"X a"}});
    data.morphology({{u"lo/gos", u"N from m_a"}, {u"b", u"X b"}}, "m_a.dat");
    data.dictionary({{u"one", u"from d"}});
    data.wide_dictionary({{u"one", u"from d_b"}, {u"two", u"from d_b"}});
    data.dictionary({{u"one", u"from d_a"}, {u"two", u"from d_a"}, {u"three", u"from d_a"}},
                    "d_a.dat");
    data.frequency({{u"one", u"1,2"}, {u"one", u"3,4"}});
    auto lex = data.load();
    EXPECT_TRUE(lex->loading_finished());
    EXPECT_TRUE(lex->morphology_ready());
    EXPECT_EQ(lex->analysis_of(u"lo/gos"), u"N first");
    EXPECT_EQ(lex->analysis_of(u"b"), u"X b");
    EXPECT_EQ(lex->morphology_size(), 3u);
    EXPECT_EQ(lex->definition_of(u"one"), u"from d");
    EXPECT_EQ(lex->definition_of(u"two"), u"from d_b");
    EXPECT_EQ(lex->definition_of(u"three"), u"from d_a");
    EXPECT_EQ(lex->dictionary_size(), 3u);
    EXPECT_EQ(lex->frequency_field(u"one", 2), 2);
    EXPECT_EQ(lex->alphabetical_index_size(), 3u);
    EXPECT_GE(lex->loaded_ms(), lex->morphology_ready_ms());
    EXPECT_GE(lex->morphology_ready_ms(), 0.0);
}

TEST(lexicon_loading, missing_files_give_empty_tables_and_loading_still_ends) {
    data_folder data;
    data.wide_dictionary({{u"two", u"from d_b"}});
    data.frequency({{u"two", u"5"}});
    auto lex = data.load();
    EXPECT_TRUE(lex->morphology_ready());
    EXPECT_TRUE(lex->loading_finished());
    EXPECT_EQ(lex->morphology_size(), 0u);
    EXPECT_EQ(lex->definition_of(u"two"), u"from d_b");
    EXPECT_EQ(lex->frequency_field(u"two", 1), 5);

    auto nothing = std::make_unique<lexicon>(data.path() / "no such folder");
    nothing->wait_until_loaded();
    EXPECT_TRUE(nothing->loading_finished());
    EXPECT_EQ(nothing->dictionary_size(), 0u);
    EXPECT_EQ(nothing->alphabetical_index_size(), 0u);
}

TEST(lexicon_loading, text_files_read_bytes_as_latin1_with_crlf_as_lf_and_0x1a_as_end) {
    data_folder data;
    std::string bytes = "k1\x02line\r\nnext\rlone\x01";
    bytes += "k\xE9\x02\xFF\x80\x01";
    bytes += "k3\x02value\x01";
    bytes += "k4\x02tail without terminator";
    data.write("m.dat", bytes);
    data.write("d.dat", std::string("h1\x01") + "def" + std::string(1, '\0') + "h2\x01" +
                            "cut\x1A" + std::string(1, '\0') + "h3\x01" + "x" +
                            std::string(1, '\0'));
    auto lex = data.load();
    EXPECT_EQ(lex->analyse_word(u"k1", false)[0], u"line\nnext\rlone");
    EXPECT_EQ(lex->analyse_word(u"k\u00E9", false)[0], u"\u00FF\u0080");
    EXPECT_EQ(lex->analyse_word(u"k3", false)[0], u"value");
    EXPECT_EQ(lex->morphology_size(), 3u);
    EXPECT_EQ(lex->definition_of(u"h1"), u"def");
    EXPECT_EQ(lex->dictionary_size(), 1u);
}

TEST(lexicon_loading, wide_dictionary_is_utf16le_ending_at_ffff) {
    data_folder data;
    std::string bytes = test::wide_records(
        {{u"long", u"a much longer definition"}, {u"short", u"ab"}, {u"\u03B1", u"\u1F71\u0000x"}});
    std::string ended = bytes + "\xFF\xFF" + test::wide_records({{u"late", u"never"}});
    data.write("d_b.dat", ended);
    auto lex = data.load();
    EXPECT_EQ(lex->definition_of(u"short"), u"ab");
    EXPECT_EQ(lex->definition_of(u"late"), u"");
    EXPECT_EQ(lex->dictionary_size(), 3u);

    data_folder odd;
    // A last record whose terminator is cut to one byte is not stored.
    odd.write("d_b.dat", test::wide_records({{u"k", u"v"}, {u"w", u"x"}}).substr(0, 15));
    auto odd_lexicon = odd.load();
    EXPECT_EQ(odd_lexicon->definition_of(u"k"), u"v");
    EXPECT_EQ(odd_lexicon->dictionary_size(), 1u);
    data_folder odd_end;
    odd_end.write("d_b.dat", test::wide_records({{u"k", u"v"}}) + "x");
    EXPECT_EQ(odd_end.load()->dictionary_size(), 1u);
}

TEST(lexicon_loading, oversized_fields_are_cut_at_their_limits_and_loading_goes_on) {
    data_folder data;
    wide_string huge_key(100000, u'k');
    wide_string huge_value(100000, u'v');
    data.morphology({{huge_key, huge_value}, {u"after", u"ok"}});
    data.dictionary({{huge_key, huge_value}, {u"after", u"ok"}});
    data.wide_dictionary({{huge_key + u"2", huge_value}, {u"wide", u"ok"}});
    data.frequency({{huge_key, huge_value}, {u"after", u"7"}});
    auto lex = data.load();
    EXPECT_EQ(lex->analyse_word(huge_key.substr(0, 2023), false)[0], huge_value.substr(0, 4087));
    EXPECT_EQ(lex->analysis_of(u"after"), u"ok");
    EXPECT_EQ(lex->definition_of(huge_key.substr(0, 40479)), huge_value.substr(0, 19999));
    EXPECT_EQ(lex->definition_of(u"after"), u"ok");
    EXPECT_EQ(lex->definition_of(u"wide"), u"ok");
    EXPECT_EQ(lex->frequency_field(u"after", 1), 7);
    EXPECT_EQ(lex->dictionary_size(), 3u);
}

TEST(lexicon_loading, damaged_records_are_bounded) {
    data_folder data;
    // No separator: not stored. A second separator starts the value again.
    data.write("m.dat", "nosep\x01k\x02one\x02two\x01\x02"
                        "empty key\x01");
    auto lex = data.load();
    EXPECT_EQ(lex->analysis_of(u"nosep"), u"nosep");
    EXPECT_EQ(lex->analyse_word(u"k", false)[0], u"two");
    EXPECT_EQ(lex->analyse_word(u"", false)[0], u"empty key");
    EXPECT_EQ(lex->morphology_size(), 2u);
}

TEST(lexicon_loading, alphabetical_index_keys_sort_key_and_counter) {
    EXPECT_EQ(lexicon::alphabetical_sort_key(u"a)/nqrwpos"), u"1D8HOGFI");
    EXPECT_EQ(lexicon::alphabetical_sort_key(u"*)/a\\u"), u"1K");
    EXPECT_EQ(lexicon::alphabetical_sort_key(u"a((b"), u"1P2");
    EXPECT_EQ(lexicon::alphabetical_sort_key(u"jv1*\u03B1"), u"PPPP");
    EXPECT_EQ(lexicon::alphabetical_sort_key(wide_string(40, u'a') + u"/"), wide_string(40, u'1'));
    EXPECT_EQ(lexicon::alphabetical_sort_key(wide_string(41, u'a') + u"("), u"");

    // "a" with counter 23 and "ab" with counter 503 % 500 = 3 both give the index key "123".
    test::records entries;
    for (int i = 0; i < 23; ++i) {
        entries.push_back({u"&" + wide_string(1, static_cast<char16_t>(u'A' + i)), u"x"});
    }
    entries.push_back({u"a", u"alpha"});
    for (int i = 0; i < 479; ++i) {
        std::string n = std::to_string(1000 + i);
        entries.push_back({u"aa" + wide_string(n.begin(), n.end()), u"x"});
    }
    entries.push_back({u"ab", u"alpha beta"});
    entries.push_back({wide_string(41, u'b'), u"too long"});
    data_folder data;
    data.dictionary(entries);
    auto lex = data.load();
    EXPECT_EQ(lex->dictionary_size(), 505u);
    EXPECT_EQ(lex->alphabetical_index_size(), 504u);
    lex->open_dictionary_page(u"no such headword");
    wide_string first_page = lex->page_first_headword;
    lex->open_dictionary_page(u"ab");
    EXPECT_EQ(lex->page_first_headword, first_page);
    lex->open_dictionary_page(u"a");
    ASSERT_EQ(lex->dictionary_page.size(), 40u);
    EXPECT_EQ(lex->dictionary_page[20], u"a");
    // The 41-character headword has an empty sort key: its index key is just "4" (counter 504).
    EXPECT_EQ(lex->dictionary_neighbours(wide_string(41, u'b'))[0], u"");
}

TEST(lexicon_loading, frequency_fields) {
    data_folder data;
    // Files of today have 31 counts per headword; with Sappho (38) and the Bible (44), 44.
    auto counts = [](int fields) {
        wide_string text;
        for (int n = 1; n <= fields; ++n) {
            const std::string number = std::to_string(100 + n);
            text += (n > 1 ? u"," : u"") + wide_string(number.begin(), number.end());
        }
        return text;
    };
    data.frequency({{u"w", u"12,0,7,5"},
                    {u"e", u""},
                    {u"s", u"  -3x,+4, 99999999999"},
                    {u"n", u"abc,"},
                    {u"old", counts(31)},
                    {u"new", counts(44)}});
    auto lex = data.load();
    EXPECT_EQ(lex->frequency_field(u"old", 31), 131);
    EXPECT_EQ(lex->frequency_field(u"old", 38), 0);
    EXPECT_EQ(lex->frequency_field(u"new", 31), 131);
    EXPECT_EQ(lex->frequency_field(u"new", 38), 138);
    EXPECT_EQ(lex->frequency_field(u"new", 44), 144);
    EXPECT_EQ(lex->frequency_field(u"new", 45), 0);
    EXPECT_EQ(lex->frequency_field(u"w", 3), 7);
    EXPECT_EQ(lex->frequency_field(u"w", 1), 12);
    EXPECT_EQ(lex->frequency_field(u"w", 4), 5);
    EXPECT_EQ(lex->frequency_field(u"w", 5), 0);
    EXPECT_EQ(lex->frequency_field(u"w", 0), 0);
    EXPECT_EQ(lex->frequency_field(u"w", 32), 0);
    EXPECT_EQ(lex->frequency_field(u"missing", 1), 0);
    EXPECT_EQ(lex->frequency_field(u"e", 1), 0);
    EXPECT_EQ(lex->frequency_field(u"s", 1), -3);
    EXPECT_EQ(lex->frequency_field(u"s", 2), 4);
    EXPECT_EQ(lex->frequency_field(u"s", 3), 2147483647);
    EXPECT_EQ(lex->frequency_field(u"n", 1), 0);
    EXPECT_EQ(lex->frequency_field(u"n", 2), 0);
}

} // namespace
} // namespace veso
