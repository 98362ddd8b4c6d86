#include "datafiles/data_integrity.h"
#include "lexicon/lexicon.h"
#include "lexicon_fixture.h"

#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace veso {
namespace {

// A morphology file large enough that loading is still going on when the test acts.
void write_large_morphology(const test::data_folder& data) {
    std::string bytes;
    bytes.reserve(32u << 20);
    for (int i = 0; bytes.size() < (32u << 20); ++i) {
        bytes += "word" + std::to_string(i) + "\x02" + "N lemma masc nom sg\x09\x01";
    }
    data.write("m.dat", bytes);
    data.dictionary({{u"lo/gos", u"word"}});
}

TEST(lexicon_threads, destroying_while_loading_stops_the_loader) {
    test::data_folder data;
    write_large_morphology(data);
    std::atomic<bool> called{false};
    {
        lexicon lex(data.path());
        lex.on_loading_finished([&called] { called = true; });
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        // Look-ups meanwhile are answered from what is published.
        EXPECT_EQ(lex.analyse_word(u"word1", false)[1], u"?");
        EXPECT_FALSE(lex.loading_finished());
    }
    EXPECT_FALSE(called);
}

TEST(lexicon_threads, cancel_ends_loading_without_finishing) {
    test::data_folder data;
    write_large_morphology(data);
    lexicon lex(data.path());
    lex.request_cancel();
    lex.wait_until_loaded();
    EXPECT_FALSE(lex.loading_finished());
    EXPECT_EQ(lex.alphabetical_index_size(), 0u);
}

TEST(lexicon_threads, finish_reaches_a_callback_registered_before_or_after) {
    test::data_folder data;
    data.morphology({{u"a", u"N a"}});
    data.dictionary({{u"lo/gos", u"word"}});
    std::atomic<int> calls{0};
    lexicon early(data.path());
    early.on_loading_finished([&calls] { ++calls; });
    early.wait_until_loaded();
    // A callback given after the end runs at once.
    lexicon late(data.path());
    late.wait_until_loaded();
    late.on_loading_finished([&calls] { ++calls; });
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(late.loading_finished());
}

TEST(lexicon_threads, reads_while_loading_see_consistent_tables) {
    test::data_folder data;
    test::records morphology;
    test::records dictionary;
    for (int i = 0; i < 200000; ++i) {
        std::string n = std::to_string(i);
        wide_string word(n.begin(), n.end());
        morphology.push_back({u"w" + word, u"N lemma" + word + u"\x09"});
        if (i % 4 == 0) {
            dictionary.push_back({u"lemma" + word, u"<G>lo/gos</G> " + word});
        }
    }
    data.morphology(morphology);
    // A large m_a.dat keeps m.dat's words visible for a while before morphology_ready is set.
    std::string more;
    for (int i = 0; more.size() < (4u << 20); ++i) {
        more += "x" + std::to_string(i) + "\x02" + "N lx masc nom sg\x09\x01";
    }
    data.write("m_a.dat", more);
    data.dictionary(dictionary);
    data.frequency({{u"lemma0", u"1,2,3"}});
    lexicon lex(data.path());
    int found_before_ready = 0;
    int ready_seen = 0;
    while (!lex.loading_finished()) {
        auto result = lex.analyse_word(u"w1234", true);
        const bool ready = lex.morphology_ready();
        if (result[0] != u"w1234") {
            EXPECT_EQ(result[0], u"N lemma1234\x09");
            // Found before the morphology is complete: the neighbours are not known yet.
            if (!ready) {
                ++found_before_ready;
                EXPECT_EQ(result[1], u"?");
                EXPECT_EQ(result[2], u"?");
            }
        }
        if (ready) {
            ++ready_seen;
        }
        lex.short_definition_of(u"lemma8");
        lex.morphology_neighbours(u"w12");
        lex.frequency_field(u"lemma0", 2);
        lex.dictionary_neighbours(u"lemma4");
        std::this_thread::yield();
    }
    EXPECT_GT(found_before_ready, 0);
    EXPECT_GT(ready_seen, 0);
    lex.open_dictionary_page(u"lemma8");
    EXPECT_EQ(lex.dictionary_page.size(), 40u);
    EXPECT_EQ(lex.frequency_field(u"lemma0", 2), 2);
    EXPECT_EQ(lex.analyse_word(u"w1234", true)[1], u"w123399");
}

// Records the folder's files as the data builder does last.
void write_manifest(const test::data_folder& data) {
    datafiles::data_manifest manifest;
    const std::atomic<bool> never{false};
    for (const char* name : {"d.dat", "m.dat", "m_a.dat", "o.dat"}) {
        const auto path = data.path() / name;
        manifest.files.push_back(
            {name, std::filesystem::file_size(path), *datafiles::file_checksum(path, never)});
    }
    data.write(datafiles::manifest_file, manifest.to_text());
}

// A file of the wrong size is left out from the start; one whose bytes changed is found by the
// loader's checksum pass after loading, and reported once its records are gone.
TEST(lexicon_threads, damaged_files_are_left_out_and_reported) {
    test::data_folder data;
    data.morphology({{u"lo/gos", u"N lo/gos masc nom sg\x09"}});
    data.morphology({{u"lo/gou", u"N lo/gos masc gen sg\x09"}}, "m_a.dat");
    data.dictionary({{u"lo/gos", u"word"}});
    data.frequency({{u"lo/gos", u"1,2"}});
    write_manifest(data);
    data.frequency({{u"lo/gos", u"1,2,3"}});
    data.morphology({{u"lo/gos", u"N lo/gos masc nom pl\x09"}});

    const datafiles::data_location location{data.path(), {data.path()}, data.path(), true, false};
    std::promise<std::vector<datafiles::damaged_file>> reported;
    auto report = reported.get_future();
    lexicon lex(std::make_shared<datafiles::data_integrity>(location),
                [&reported](const auto& found) { reported.set_value(found); });
    lex.wait_until_loaded();
    EXPECT_EQ(lex.frequency_size(), 0u);
    EXPECT_EQ(lex.dictionary_size(), 1u);

    ASSERT_EQ(report.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_EQ(report.get(),
              (std::vector<datafiles::damaged_file>{{"m.dat", datafiles::damage::changed}}));
    EXPECT_EQ(lex.analysis_of(u"lo/gos"), u"lo/gos");
    EXPECT_EQ(lex.analysis_of(u"lo/gou"), u"N lo/gos masc gen sg\x09");
    EXPECT_EQ(lex.dictionary_size(), 1u);
}

} // namespace
} // namespace veso
