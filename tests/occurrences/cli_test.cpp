// veso-cli occurrences and vocabulary, run as a process the way a user runs them.
#include "../cli/cli_process.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

using veso::testing::run_cli;

#ifdef VESO_CLI_REAL_DATA

nlohmann::json json_of(const std::string& arguments) {
    const auto r = run_cli(VESO_REAL_DATA_ROOT, arguments);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << "one line";
    return nlohmann::json::parse(r.out);
}

TEST(OccurrenceCommands, WrathInHomerBeginsWithTheIliadsFirstWord) {
    const auto j = json_of("occurrences --author 17 --limit 0 'μῆνις'");
    EXPECT_EQ(j.at("word"), "mh=nis");
    EXPECT_EQ(j.at("lemmas"), nlohmann::json::array({"mh=nis"}));
    const auto& hits = j.at("hits");
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits[0].at("id"), 40519);
    EXPECT_EQ(hits[0].at("position"), 0);
    EXPECT_EQ(hits[0].at("title"), "Book 1, Iliad, Homer (c. 800 BCE),   Early and Epic Poetry");
    EXPECT_EQ(hits[0].at("context").get<std::string>().rfind("μῆνιν ἄειδε θεὰ", 0), 0u);
    EXPECT_EQ(j.at("total"), hits.size());
    EXPECT_EQ(j.at("by_author"), nlohmann::json({{"17", hits.size()}}));
    EXPECT_TRUE(
        std::all_of(hits.begin(), hits.end(), [](const auto& h) { return h.at("likeliest"); }));

    // "expected" is the frequency table's count, the lookup pane's, whatever readings are listed;
    // a form has no such count.
    const auto all = json_of("occurrences --author 17 --all-readings --limit 1 mh=nis");
    EXPECT_EQ(all.at("expected"), json_of("frequency mh=nis 17").at("count"));
    EXPECT_EQ(j.at("expected"), all.at("expected"));
    EXPECT_GT(all.at("total").get<int>(), j.at("total").get<int>());
    const auto form = json_of("occurrences --form --limit 1 'μῆνιν'");
    EXPECT_TRUE(form.at("expected").is_null());
    EXPECT_EQ(form.at("hits")[0].at("id"), 40519);
}

TEST(OccurrenceCommands, VocabularyListsASectionsLemmasOnceWithTheirCounts) {
    const auto j = json_of("vocabulary 40519");
    EXPECT_EQ(j.at("id"), 40519);
    EXPECT_EQ(j.at("section"), 0);
    const auto& rows = j.at("rows");
    ASSERT_GT(rows.size(), 500u);
    EXPECT_EQ(rows[0].at("lemma"), "mh=nis");
    EXPECT_EQ(rows[0].at("greek"), "μῆνις");
    EXPECT_EQ(rows[0].at("gloss"), "wrath");
    const auto lookup = json_of("frequency mh=nis 17");
    EXPECT_EQ(rows[0].at("in_author"), lookup.at("count"));

    // The next book through --section, and the commonest lemmas left out.
    const auto lemmas_of = [](const nlohmann::json& list) {
        std::set<std::string> out;
        for (const auto& row : list.at("rows")) {
            out.insert(row.at("lemma").get<std::string>());
        }
        return out;
    };
    const auto second = json_of("vocabulary 40519 --section 1");
    EXPECT_EQ(second.at("section"), 1);
    const auto uncommon = json_of("vocabulary 40519 --section 1 --skip-common 100");
    for (const char* common : {"o(1", "kai/1", "de/1"}) {
        EXPECT_TRUE(lemmas_of(second).contains(common)) << common;
        EXPECT_FALSE(lemmas_of(uncommon).contains(common)) << common;
    }
    EXPECT_TRUE(lemmas_of(uncommon).contains("eu(/dw")); // Book 2: ... ἱπποκορυσταὶ εὗδον
}

TEST(OccurrenceCommands, UnknownWordsAndAuthorsFailWithAMessage) {
    auto r = run_cli(VESO_REAL_DATA_ROOT, "occurrences xyzzy");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no lemma or form"), std::string::npos) << r.err;
    r = run_cli(VESO_REAL_DATA_ROOT, "occurrences --author 40 lo/gos");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("authors 1 to 31, 38 and 44"), std::string::npos) << r.err;
    r = run_cli(VESO_REAL_DATA_ROOT, "vocabulary 40519 --section 999");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("has no section 999"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

#else

TEST(OccurrenceCommands, BadWordsAndMissingOrDamagedIndexesFailWithAMessage) {
    const fs::path folder =
        fs::temp_directory_path() / ("veso-cli-occ-" + std::to_string(::getpid()));
    fs::create_directories(folder / "data");
    for (const char* word : {"''", "'   '", "café", "1234"}) {
        const auto r = run_cli(folder, std::string("occurrences ") + word);
        EXPECT_EQ(r.status, 1) << word;
        EXPECT_NE(r.err.find("is no Greek word"), std::string::npos) << word << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    auto r = run_cli(folder, "occurrences lo/gos");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("occurrences.idx) is missing"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("veso-build-data --corpus"), std::string::npos) << r.err;
    std::ofstream(folder / "data" / "occurrences.idx") << std::string(4096, 'x');
    r = run_cli(folder, "vocabulary 40519");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("is damaged"), std::string::npos) << r.err;
    r = run_cli(folder, "occurrences --limit -3 lo/gos");
    EXPECT_EQ(r.status, 1);
    r = run_cli(folder, "vocabulary 12");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no passage carries"), std::string::npos) << r.err;
    fs::remove_all(folder);
}

#endif

} // namespace
