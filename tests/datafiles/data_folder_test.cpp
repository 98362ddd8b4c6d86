#include "datafiles/data_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace veso::datafiles {
namespace {

namespace fs = std::filesystem;
using paths = std::vector<fs::path>;

TEST(DataFolderSearch, CandidatesFollowTheXdgRules) {
    EXPECT_EQ(data_folder_candidates("/w", {"/home/r", "", ""}),
              (paths{"/w/data", "/home/r/.local/share/veso/data", "/usr/local/share/veso/data",
                     "/usr/share/veso/data"}));
    EXPECT_EQ(data_folder_candidates("/w", {"/home/r", "/x/share", "/opt/a::relative:/opt/b"}),
              (paths{"/w/data", "/x/share/veso/data", "/opt/a/veso/data", "/opt/b/veso/data"}));
    // A relative XDG_DATA_HOME is ignored; without a home there is no user folder at all.
    EXPECT_EQ(data_folder_candidates("/w", {"/home/r", "share", "/s"}),
              (paths{"/w/data", "/home/r/.local/share/veso/data", "/s/veso/data"}));
    EXPECT_EQ(data_folder_candidates("/w", {"", "", "/s"}), (paths{"/w/data", "/s/veso/data"}));
}

class DataFolderLocate : public testing::Test {
protected:
    DataFolderLocate() {
        for (const char* folder : {"work", "home", "system-a", "system-b"}) {
            fs::create_directories(root / folder);
        }
    }
    ~DataFolderLocate() override { fs::remove_all(root); }

    void put_data(const fs::path& folder) const {
        fs::create_directories(folder);
        std::ofstream(folder / "t.dat") << "text";
    }
    data_location locate() const {
        return locate_data_folder(
            root / "work", {"/unused", (root / "home").string(),
                            (root / "system-a").string() + ":" + (root / "system-b").string()});
    }

    const fs::path root =
        fs::temp_directory_path() / ("veso-data-folder-test-" + std::to_string(::getpid()));
};

TEST_F(DataFolderLocate, TheFirstFolderHoldingTheMainTextWins) {
    const fs::path working = root / "work" / "data";
    const fs::path user = root / "home" / "veso" / "data";
    const fs::path system_b = root / "system-b" / "veso" / "data";

    // A folder with other data files but no main text does not count.
    fs::create_directories(working);
    std::ofstream(working / "m.dat") << "lexicon";
    put_data(system_b);
    auto location = locate();
    EXPECT_TRUE(location.found);
    EXPECT_TRUE(location.installed);
    EXPECT_EQ(location.folder, system_b);
    EXPECT_EQ(location.build_folder, user);
    EXPECT_EQ(location.searched.size(), 4u);

    put_data(user);
    location = locate();
    EXPECT_EQ(location.folder, user);
    EXPECT_FALSE(location.installed);

    put_data(working);
    EXPECT_EQ(locate().folder, working);
}

TEST_F(DataFolderLocate, NoDataNamesEveryFolderAndTheBuildCommand) {
    const auto location = locate();
    EXPECT_FALSE(location.found);
    EXPECT_EQ(location.folder, root / "work" / "data");

    const std::u16string message = missing_data_message(location);
    for (const fs::path& folder : location.searched) {
        EXPECT_NE(message.find(u"\n    " + folder.u16string() + u"\n"), std::u16string::npos)
            << folder;
    }
    const std::u16string command = u"veso-build-data --corpus ../shared/corpus --out " +
                                   (root / "home" / "veso" / "data").u16string();
    EXPECT_NE(message.find(command), std::u16string::npos);
    EXPECT_NE(message.find(u"none of these folders holds t.dat"), std::u16string::npos);
}

// A path that is not UTF-8 must not throw on its way into a message.
TEST(DataFolderMessages, PathsThatAreNotUtf8StillShow) {
    EXPECT_EQ(shown_path(fs::path("/a/\xce\xbb/data")), u"/a/\u03bb/data");
    EXPECT_EQ(shown_path(fs::path("/a/\xce\xbb\xff/data")), u"/a/\ufffd\ufffd\ufffd/data");
}

} // namespace
} // namespace veso::datafiles
