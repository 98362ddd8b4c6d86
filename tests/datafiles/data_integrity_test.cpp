#include "datafiles/data_integrity.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

namespace veso::datafiles {
namespace {

namespace fs = std::filesystem;

std::uint64_t checksum_of(std::string_view bytes) {
    checksum sum;
    sum.add({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()});
    return sum.value();
}

std::string random_bytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    return bytes;
}

TEST(DataChecksum, IsFnv1a64ReadInBlocks) {
    // The published FNV-1a test vectors.
    EXPECT_EQ(checksum_of(""), 0xcbf29ce484222325u);
    EXPECT_EQ(checksum_of("a"), 0xaf63dc4c8601ec8cu);
    EXPECT_EQ(checksum_of("foobar"), 0x85944171f73967e8u);

    // Over a file, block boundaries and the short last block change nothing.
    const fs::path file =
        fs::temp_directory_path() / ("veso-checksum-" + std::to_string(::getpid()));
    const std::string bytes = random_bytes(3 * 65536 + 123, 1);
    std::ofstream(file, std::ios::binary) << bytes;
    std::atomic<bool> cancel{false};
    EXPECT_EQ(file_checksum(file, cancel), checksum_of(bytes));
    cancel = true;
    EXPECT_EQ(file_checksum(file, cancel), std::nullopt);
    fs::remove(file);
    EXPECT_EQ(file_checksum(file, cancel), std::nullopt);
}

TEST(DataManifest, TextRoundTripsAndAnythingElseIsRefused) {
    const data_manifest manifest{
        {{"t.dat", 1234, 0x0123456789abcdef}, {"index/o_i.dat", 0, 0xcbf29ce484222325}}};
    const std::string text = "veso data manifest 1\n"
                             "t.dat\t1234\t0123456789abcdef\n"
                             "index/o_i.dat\t0\tcbf29ce484222325\n";
    EXPECT_EQ(manifest.to_text(), text);
    ASSERT_TRUE(data_manifest::parse(text));
    EXPECT_EQ(data_manifest::parse(text)->files, manifest.files);
    EXPECT_TRUE(data_manifest::parse("veso data manifest 1\n"));

    const std::string line = "t.dat\t1234\t0123456789abcdef\n";
    for (const std::string& bad : std::vector<std::string>{
             "veso data manifest 2\n" + line,
             line,
             "veso data manifest 1\nt.dat\t1234\t0123456789abcdef",
             "veso data manifest 1\nt.dat\t-1\t0123456789abcdef\n",
             "veso data manifest 1\nt.dat\t12x\t0123456789abcdef\n",
             "veso data manifest 1\nt.dat\t1234\t0123456789ABCDEF\n",
             "veso data manifest 1\nt.dat\t1234\t123456789abcdef\n",
             "veso data manifest 1\nt.dat\t1234\t0123456789abcdef\textra\n",
             "veso data manifest 1\nt.dat\t1234\n",
             "veso data manifest 1\n" + line + line,
             "veso data manifest 1\n../t.dat\t1\t0123456789abcdef\n",
             "veso data manifest 1\n/t.dat\t1\t0123456789abcdef\n",
             "veso data manifest 1\na//t.dat\t1\t0123456789abcdef\n",
             "veso data manifest 1\nt dat\t1\t0123456789abcdef\n",
             "veso data manifest 1\n\t1\t0123456789abcdef\n",
         }) {
        EXPECT_FALSE(data_manifest::parse(bad)) << bad;
    }
}

// A data folder whose manifest records its files as first written.
class DataIntegrityTest : public testing::Test {
protected:
    DataIntegrityTest() {
        fs::create_directories(folder);
        write("t.dat", random_bytes(1000, 2));
        write("m.dat", random_bytes(70000, 3));
        write("o.dat", random_bytes(10, 4));
        data_manifest manifest;
        const std::atomic<bool> cancel{false};
        for (const char* name : {"m.dat", "o.dat", "t.dat"}) {
            manifest.files.push_back(
                {name, fs::file_size(folder / name), *file_checksum(folder / name, cancel)});
        }
        write(manifest_file, manifest.to_text());
        write("extra.dat", "not in the manifest");
    }
    ~DataIntegrityTest() override { fs::remove_all(root); }

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder / name, std::ios::binary | std::ios::trunc) << bytes;
    }

    const fs::path root =
        fs::temp_directory_path() / ("veso-integrity-test-" + std::to_string(::getpid()));
    const fs::path folder = root / "data";
    const std::atomic<bool> never{false};
};

TEST_F(DataIntegrityTest, SoundDataHasNothingDamaged) {
    data_integrity data(data_location::below(root));
    EXPECT_TRUE(data.has_manifest());
    EXPECT_EQ(data.listed_files().size(), 3u);
    EXPECT_TRUE(data.verify_checksums(never).empty());
    EXPECT_TRUE(data.damaged().empty());
}

TEST_F(DataIntegrityTest, SizesAtOnceAndChecksumsOnRequestFindEveryDamagedFile) {
    write("t.dat", random_bytes(500, 2));   // cut to half
    write("m.dat", random_bytes(70000, 5)); // same size, other bytes
    fs::remove(folder / "o.dat");

    data_integrity data(data_location::below(root));
    EXPECT_EQ(data.damaged(), (std::vector<damaged_file>{{"o.dat", damage::missing},
                                                         {"t.dat", damage::wrong_size}}));
    EXPECT_FALSE(data.usable("t.dat"));
    EXPECT_TRUE(data.usable("m.dat"));
    EXPECT_TRUE(data.usable("extra.dat"));

    EXPECT_EQ(data.verify_checksums(never),
              (std::vector<damaged_file>{{"m.dat", damage::changed}}));
    EXPECT_FALSE(data.usable("m.dat"));
    EXPECT_TRUE(data.verify_checksums(never).empty());

    const std::u16string message = data.damage_message();
    for (const char16_t* line : {u"    m.dat: its bytes have changed\n", u"    o.dat: missing\n",
                                 u"    t.dat: not the size it was built with\n"}) {
        EXPECT_NE(message.find(line), std::u16string::npos) << std::string(line, line + 10);
    }
    EXPECT_NE(
        message.find(u"veso-build-data --corpus ../shared/corpus --out " + folder.u16string()),
        std::u16string::npos);
    EXPECT_EQ(message.find(u"apt"), std::u16string::npos);
}

TEST_F(DataIntegrityTest, InstalledDataIsRestoredByThePackage) {
    write("t.dat", "");
    data_location location = data_location::below(root);
    location.installed = true;
    location.build_folder = "/home/r/.local/share/veso/data";
    const std::u16string message = data_integrity(location).damage_message();
    EXPECT_NE(message.find(u"sudo apt install --reinstall veso"), std::u16string::npos);
    EXPECT_NE(message.find(u"--out /home/r/.local/share/veso/data"), std::u16string::npos);
}

TEST_F(DataIntegrityTest, AManifestThatCannotBeReadIsItselfDamaged) {
    write(manifest_file, random_bytes(300, 6));
    data_integrity data(data_location::below(root));
    EXPECT_FALSE(data.has_manifest());
    EXPECT_EQ(data.damaged(), (std::vector<damaged_file>{{manifest_file, damage::unreadable}}));
    EXPECT_TRUE(data.usable("t.dat"));

    // Without a manifest there is nothing to measure against.
    fs::remove(folder / manifest_file);
    data_integrity unchecked(data_location::below(root));
    EXPECT_TRUE(unchecked.damaged().empty());
    EXPECT_TRUE(unchecked.verify_checksums(never).empty());
}

} // namespace
} // namespace veso::datafiles
