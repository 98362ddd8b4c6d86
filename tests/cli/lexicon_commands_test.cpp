#include "datafiles/data_manifest.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct run_result {
    int exit_code;
    std::string out;
    std::string err;
};

// Runs veso-cli in a fresh folder that holds (or lacks) a small data/ folder.
class cli_test : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("veso-cli-test-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder / "data");
        write("m.dat", "lo/gos\x02N lo/gos masc nom sg\x09\x03V le/gw pres\x09\x01"
                       "lo/gou\x02N lo/gos masc gen sg\x09\x01");
        write("d.dat", std::string("lo/gos\x01[L] <G>lo/gos,</G> <I>word<N>  <B>speech<N> end") +
                           '\0' + "le/gw\x01say" + '\0' + "long\x01" + std::string(1500, 'x') +
                           '\0');
        write("o.dat", "lo/gos\x02"
                       "12,0,7\x01");
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder / "data" / name, std::ios::binary) << bytes;
    }

    // The user's and the system's data folders are ones that do not exist, unless given.
    run_result run(const std::string& arguments, const std::string& data_home = "none") const {
        std::string out = (folder / "out.txt").string();
        std::string err = (folder / "err.txt").string();
        std::string command = "cd '" + folder.string() + "' && XDG_DATA_HOME='" +
                              (folder / data_home).string() + "' XDG_DATA_DIRS='" +
                              (folder / "none").string() + "' '" VESO_CLI "' " + arguments + " >'" +
                              out + "' 2>'" + err + "'";
        int status = std::system(command.c_str());
        auto slurp = [](const std::string& path) {
            std::ifstream in(path, std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(in), {});
        };
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
    }

    nlohmann::json json_of(const std::string& arguments) const {
        run_result result = run(arguments);
        EXPECT_EQ(result.exit_code, 0) << result.err;
        EXPECT_EQ(result.out.find('\n'), result.out.size() - 1) << "one line";
        return nlohmann::json::parse(result.out);
    }

    std::filesystem::path folder;
};

TEST_F(cli_test, conversions_print_their_text_as_given) {
    EXPECT_EQ(json_of("to-unicode 'lo/gos '")["text"], "λ\xe1\xbd\xb9γος ");
    EXPECT_EQ(json_of("to-unicode 'lo/gos'")["text"], "λ\xe1\xbd\xb9γοσ");
    EXPECT_EQ(json_of("to-betacode 'λ\xe1\xbd\xb9γος'")["text"], "lo/gos");
    EXPECT_EQ(json_of("clean 'lo\\gos,'")["word"], "lo/gos");
    EXPECT_EQ(json_of("sort-key 'a)/nqrwpos'")["key"], "1D8HOGFI");
    // Control characters come out escaped.
    run_result raw = run("to-unicode \"$(printf 'a\\001')\"");
    EXPECT_EQ(raw.out, "{\"text\":\"\xce\xb1\\u0001\"}\n");
}

TEST_F(cli_test, morphology_commands) {
    auto analysed = json_of("analyse 'lo/gou,'");
    EXPECT_EQ(analysed["analysis"], "N lo/gos masc gen sg\t");
    EXPECT_EQ(analysed["previous"], "lo/gos");
    EXPECT_EQ(analysed["next"], "lo/gou");
    auto uncleaned = json_of("analyse --no-clean 'lo/gou,'");
    EXPECT_EQ(uncleaned["analysis"], "lo/gou,");
    EXPECT_EQ(uncleaned["previous"], "?");
    EXPECT_EQ(json_of("analysis-of lo/gos")["analysis"],
              "N lo/gos masc nom sg\t\x03V le/gw pres\t");
    auto neighbours = json_of("neighbours lo/gh");
    EXPECT_EQ(neighbours["previous"], "lo/gou");
    EXPECT_EQ(neighbours["next"], "lo/gou");
}

TEST_F(cli_test, dictionary_commands) {
    auto full = json_of("define lo/gos");
    EXPECT_EQ(full["definition"], "[L] λ\xe1\xbd\xb9γος,  <I>word<N>  <B>speech<N> end");
    EXPECT_EQ(full["truncated"], false);
    auto cut = json_of("define --short long");
    EXPECT_EQ(cut["truncated"], true);
    EXPECT_EQ(cut["definition"], std::string(1400, 'x') + " .... ");
    auto neighbours = json_of("dictionary-neighbours le/gw");
    EXPECT_EQ(neighbours["first"], "le/gw");
    auto page = json_of("dictionary-page lo/gos --forward 1 --backward 1");
    EXPECT_EQ(page["rows"].size(), 3u);
    EXPECT_EQ(page["rows"][0][0], "le/gw");
    EXPECT_EQ(page["first"], "le/gw");
    EXPECT_EQ(page["last"], "long");
    EXPECT_EQ(page["position"], "le/gw");
    EXPECT_EQ(json_of("frequency lo/gos 3")["count"], 7);
    EXPECT_EQ(json_of("frequency lo/gos 0")["count"], 0);
    auto stats = json_of("stats");
    EXPECT_EQ(stats["morphology"], 2);
    EXPECT_EQ(stats["dictionary"], 3);
    EXPECT_EQ(stats["frequency"], 1);
    EXPECT_EQ(stats["index"], 3);
    EXPECT_GE(stats["loaded_ms"].get<double>(), stats["morphology_ready_ms"].get<double>());
}

TEST_F(cli_test, lookup_prints_a_summary_for_people) {
    run_result result = run("lookup --author 3 'λ\xcf\x8cγος'");
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_NE(result.out.find("N  λ\xe1\xbd\xb9γος  (count 7)  masc nom sg"), std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("λ\xe1\xbd\xb3γω: say"), std::string::npos) << result.out;
    // The dictionary's name, the words one space apart, no style marks.
    EXPECT_NE(result.out.find("λ\xe1\xbd\xb9γος (LSJ): λ\xe1\xbd\xb9γος, word speech end\n"),
              std::string::npos)
        << result.out;
    EXPECT_EQ(result.out.find('\x1b'), std::string::npos);
    // Decomposed input (omicron and a combining acute) finds the same word.
    EXPECT_NE(run("lookup 'λο\xcc\x81γος'").out.find("(count 12)  masc nom sg"), std::string::npos);
    EXPECT_NE(run("lookup 'xyz'").out.find("no analysis"), std::string::npos);
}

TEST_F(cli_test, lookup_on_a_terminal_shows_italic_and_bold) {
    // script(1) gives the program a terminal as its standard output.
    const std::string out = (folder / "terminal.txt").string();
    const std::string command = "cd '" + folder.string() +
                                "' && script -qec \"'" VESO_CLI "' lookup lo/gos\" /dev/null > '" +
                                out + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(out, std::ios::binary);
    const std::string shown(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(
        shown.find("λ\xe1\xbd\xb9γος (\x1b[3mLSJ\x1b[0m): λ\xe1\xbd\xb9γος, \x1b[3mword\x1b[0m "
                   "\x1b[1mspeech\x1b[0m end"),
        std::string::npos)
        << shown;
}

TEST_F(cli_test, bad_arguments_print_usage_and_exit_2) {
    for (const char* arguments : {"", "analyse", "frequency lo/gos -1", "frequency lo/gos x",
                                  "no-such-command", "define --bogus lo/gos"}) {
        run_result result = run(arguments);
        EXPECT_EQ(result.exit_code, 2) << arguments;
        EXPECT_NE(result.err.find("usage"), std::string::npos) << arguments;
        EXPECT_TRUE(result.out.empty()) << arguments;
    }
}

TEST_F(cli_test, no_data_folder_gives_empty_tables) {
    std::filesystem::remove_all(folder / "data");
    auto stats = json_of("stats");
    EXPECT_EQ(stats["morphology"], 0);
    EXPECT_EQ(stats["index"], 0);
    EXPECT_EQ(json_of("define lo/gos")["definition"], "");
    EXPECT_EQ(json_of("dictionary-page lo/gos")["rows"].size(), 0u);
}

// Records the data folder's files as the data builder does last.
void write_manifest(const std::filesystem::path& data) {
    veso::datafiles::data_manifest manifest;
    const std::atomic<bool> never{false};
    for (const char* name : {"d.dat", "m.dat", "o.dat", "t.dat"}) {
        manifest.files.push_back({name, std::filesystem::file_size(data / name),
                                  *veso::datafiles::file_checksum(data / name, never)});
    }
    std::ofstream(data / veso::datafiles::manifest_file) << manifest.to_text();
}

TEST_F(cli_test, check_data_names_the_damaged_files_and_fails) {
    write("t.dat", "passages");
    write_manifest(folder / "data");
    auto sound = json_of("check-data");
    EXPECT_EQ(sound["folder"], (folder / "data").string());
    EXPECT_EQ(sound["found"], true);
    EXPECT_EQ(sound["manifest"], true);
    EXPECT_EQ(sound["files"], 4);
    EXPECT_EQ(sound["damaged"], nlohmann::json::array());

    write("t.dat", "pass");
    write("m.dat", "lo/gos\x02N lo/gos masc nom pl\x09\x03V le/gw pres\x09\x01"
                   "lo/gou\x02N lo/gos masc gen sg\x09\x01");
    run_result damaged = run("check-data");
    EXPECT_EQ(damaged.exit_code, 1);
    EXPECT_EQ(nlohmann::json::parse(damaged.out)["damaged"],
              nlohmann::json::parse(R"([{"file":"t.dat","problem":"size"},)"
                                    R"({"file":"m.dat","problem":"changed"}])"));
    EXPECT_NE(damaged.err.find("    m.dat: its bytes have changed\n"), std::string::npos);
    EXPECT_NE(damaged.err.find("veso-build-data --corpus ../shared/corpus --out " +
                               (folder / "data").string()),
              std::string::npos);
}

TEST_F(cli_test, data_is_found_in_the_users_data_folder_from_any_folder) {
    write("t.dat", "passages");
    std::filesystem::create_directories(folder / "home" / "veso");
    std::filesystem::rename(folder / "data", folder / "home" / "veso" / "data");
    run_result stats = run("stats", "home");
    ASSERT_EQ(stats.exit_code, 0) << stats.err;
    EXPECT_EQ(nlohmann::json::parse(stats.out)["morphology"], 2);

    run_result nowhere = run("check-data");
    EXPECT_EQ(nowhere.exit_code, 1);
    EXPECT_EQ(nlohmann::json::parse(nowhere.out)["found"], false);
    EXPECT_NE(nowhere.err.find("\n    " + (folder / "data").string() + "\n"), std::string::npos);
    EXPECT_NE(nowhere.err.find("--out " + (folder / "none" / "veso" / "data").string()),
              std::string::npos);
}

} // namespace
