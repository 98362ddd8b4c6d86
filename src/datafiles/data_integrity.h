#pragma once

#include "datafiles/data_folder.h"
#include "datafiles/data_manifest.h"

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace veso::datafiles {

enum class damage { missing, wrong_size, changed, unreadable };

struct damaged_file {
    std::string name;
    damage kind;
    bool operator==(const damaged_file&) const = default;
};

// The data folder in use and which of its files are known to be damaged, measured against the
// manifest the data builder wrote. Making one compares the sizes (a few file-system queries);
// checksums are compared on request, by a worker or a tool, as that reads every byte. A folder
// without a manifest is taken as it is. Safe to share between threads.
class data_integrity {
public:
    explicit data_integrity(data_location location);

    const data_location& location() const { return location_; }
    const std::filesystem::path& folder() const { return location_.folder; }
    bool has_manifest() const { return manifest_.found == folder_manifest::state::present; }
    const std::vector<manifest_entry>& listed_files() const { return manifest_.manifest.files; }

    // Not known to be damaged.
    bool usable(std::string_view file) const;
    std::vector<damaged_file> damaged() const;

    // Compares the checksum of every listed file not yet known to be damaged and returns those
    // found damaged now. Stops with what it has found when cancel is seen set.
    std::vector<damaged_file> verify_checksums(const std::atomic<bool>& cancel);

    // Names every damaged file and the command that restores them.
    std::u16string damage_message() const;

private:
    void add_damage(const std::vector<damaged_file>& found);

    data_location location_;
    folder_manifest manifest_;
    mutable std::mutex mutex_;
    std::vector<damaged_file> damaged_;
};

} // namespace veso::datafiles
