#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veso::datafiles {

// The record of the data folder that the data builder writes last, beside the fingerprint.
inline constexpr const char* manifest_file = "data.manifest";

// 64-bit FNV-1a over a file's bytes: it finds a file cut short, overwritten or filled with other
// bytes, cheaply; it is no defence against deliberate change.
class checksum {
public:
    void add(std::span<const unsigned char> bytes);
    std::uint64_t value() const { return state_; }

private:
    std::uint64_t state_ = 0xcbf29ce484222325;
};

// The checksum of a file, read in blocks of 64 KiB; nothing when the file cannot be read or when
// cancel is seen set (it is checked once per block).
std::optional<std::uint64_t> file_checksum(const std::filesystem::path& path,
                                           const std::atomic<bool>& cancel);

struct manifest_entry {
    std::string name; // relative to the data folder, "/" between folders
    std::uintmax_t size = 0;
    std::uint64_t checksum = 0;
    bool operator==(const manifest_entry&) const = default;
};

// Every file of a data folder with its size and checksum: a first line naming the format, then
// one line per file, "name TAB size TAB checksum" with the checksum in 16 hexadecimal digits.
struct data_manifest {
    std::vector<manifest_entry> files;

    std::string to_text() const;
    // Nothing unless the whole text is a manifest: its first line, every line complete and well
    // formed, each name valid and listed once.
    static std::optional<data_manifest> parse(std::string_view text);
};

// A data folder's manifest as found there.
struct folder_manifest {
    enum class state { absent, unreadable, present };
    state found = state::absent;
    data_manifest manifest; // when present

    static folder_manifest read(const std::filesystem::path& folder);
};

// A name a manifest may hold: relative, staying inside the folder, made of ASCII letters, digits,
// ".", "-", "_" and "/".
bool valid_entry_name(std::string_view name);

} // namespace veso::datafiles
