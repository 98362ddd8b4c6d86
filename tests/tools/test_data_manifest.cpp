// The manifest the data builder writes last, read back as the program reads it.
#include "common/data_manifest_writer.h"
#include "datafiles/data_integrity.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace veso;

class DataManifestWriter : public testing::Test {
protected:
    DataManifestWriter() {
        write("t.dat", "passages");
        write("m.dat", std::string(70000, 'm'));
        write("index/o_i.dat", "occurrences");
        write(".builder-stamp", "hidden");
        write(".cache/x.dat", "hidden too");
        write(datafiles::manifest_file, "veso data manifest 1\nold.dat\t1\t0000000000000000\n");
    }
    ~DataManifestWriter() override { fs::remove_all(root); }

    void write(const std::string& name, const std::string& bytes) const {
        fs::create_directories((folder / name).parent_path());
        std::ofstream(folder / name, std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string manifest_text() const {
        std::ifstream in(folder / datafiles::manifest_file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    const fs::path root =
        fs::temp_directory_path() / ("veso-manifest-writer-" + std::to_string(::getpid()));
    const fs::path folder = root / "data";
    const std::atomic<bool> never{false};
};

TEST_F(DataManifestWriter, RecordsEveryFileTheProgramThenFindsSound) {
    std::string error;
    ASSERT_TRUE(corpus::write_data_manifest(folder, error)) << error;
    const auto manifest = datafiles::data_manifest::parse(manifest_text());
    ASSERT_TRUE(manifest);
    std::vector<std::pair<std::string, std::uintmax_t>> listed;
    for (const auto& entry : manifest->files) {
        listed.emplace_back(entry.name, entry.size);
    }
    EXPECT_EQ(listed, (decltype(listed){{"index/o_i.dat", 11}, {"m.dat", 70000}, {"t.dat", 8}}));

    datafiles::data_integrity data(datafiles::data_location::below(root));
    EXPECT_TRUE(data.verify_checksums(never).empty());

    write("index/o_i.dat", "occurrenceS");
    datafiles::data_integrity changed(datafiles::data_location::below(root));
    EXPECT_EQ(changed.verify_checksums(never), (std::vector<datafiles::damaged_file>{
                                                   {"index/o_i.dat", datafiles::damage::changed}}));
}

TEST_F(DataManifestWriter, AFileItCannotRecordLeavesTheEarlierManifest) {
    const std::string earlier = manifest_text();
    write("bad name.dat", "x");
    std::string error;
    EXPECT_FALSE(corpus::write_data_manifest(folder, error));
    EXPECT_NE(error.find("bad name.dat"), std::string::npos);
    EXPECT_EQ(manifest_text(), earlier);
}

} // namespace
