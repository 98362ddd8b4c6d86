// veso-cli's library commands, run as a separate process the way a user runs them.
#include "../cli/cli_process.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

using veso::testing::run_cli;

#ifdef VESO_CLI_REAL_DATA

TEST(LibraryCommands, PassagePrintsTheDocumentAfterLoading) {
    const auto r = run_cli(VESO_REAL_DATA_ROOT, "passage 40524");
    ASSERT_EQ(r.status, 0);
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j.at("author_number"), 17);
    EXPECT_EQ(j.at("section"), 5);
    EXPECT_EQ(j.at("section_count"), 23);
    EXPECT_EQ(j.at("current_id"), 40524);
    EXPECT_EQ(j.at("loading"), false);
    EXPECT_EQ(j.at("title"), "Book 6, Iliad, Homer (c. 800 BCE),   Early and Epic Poetry");
    EXPECT_LT(j.at("page_start").get<int>(), j.at("section_end").get<int>());
    EXPECT_NE(j.at("text").get<std::string>().find("[5]"), std::string::npos);
}

TEST(LibraryCommands, CoverageListsOnlyTheLeavesNoOpenEditionHas) {
    const auto r = run_cli(VESO_REAL_DATA_ROOT, "coverage");
    ASSERT_EQ(r.status, 0);
    std::vector<std::string> ids;
    std::size_t at = 0;
    while (at < r.out.size()) {
        const auto end = r.out.find('\n', at);
        ids.push_back(r.out.substr(at, r.out.find('\t', at) - at));
        at = end == std::string::npos ? r.out.size() : end + 1;
    }
    // In catalogue order: Sappho's fragment 89 (the treebank lacks it), Hypereides' second speech
    // for Lycophron, the Septuagint's Judges A (21 chapters) and Tobit S (14).
    std::vector<std::string> expected = {"47431", "40329"};
    for (int id = 50316; id <= 50336; ++id) {
        expected.push_back(std::to_string(id));
    }
    for (int id = 50601; id <= 50614; ++id) {
        expected.push_back(std::to_string(id));
    }
    EXPECT_EQ(ids, expected);
    EXPECT_NE(r.out.find("47431\t89, Sappho (c. 615-550 BCE),   Lyric Poetry\n"),
              std::string::npos);
}

#else

TEST(LibraryCommands, PassageWithoutDataFailsAfterPrintingState) {
    const fs::path empty =
        fs::temp_directory_path() / ("veso-cli-empty-" + std::to_string(::getpid()));
    fs::create_directories(empty);
    const auto r = run_cli(empty, "passage 40519");
    fs::remove_all(empty);
    EXPECT_EQ(r.status, 1);
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j.at("loading"), true);
    EXPECT_EQ(j.at("text"), "");
}

TEST(LibraryCommands, CataloguePrintsEveryItem) {
    const auto r = run_cli(fs::temp_directory_path(), "catalogue");
    ASSERT_EQ(r.status, 0);
    int lines = 0;
    int leaves = 0;
    std::size_t at = 0;
    while (at < r.out.size()) {
        const auto end = r.out.find('\n', at);
        const std::string line = r.out.substr(at, end - at);
        ++lines;
        leaves += line.substr(line.rfind('\t') + 1) != "0";
        at = end + 1;
    }
    EXPECT_EQ(lines, 6480);
    EXPECT_EQ(leaves, 5860);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "1\t  Early and Epic Poetry\t0");
}

#endif

} // namespace
