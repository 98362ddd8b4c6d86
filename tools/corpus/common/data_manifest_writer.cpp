#include "common/data_manifest_writer.h"

#include "datafiles/data_manifest.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <system_error>

namespace veso::corpus {

namespace fs = std::filesystem;

bool write_data_manifest(const fs::path& folder, std::string& error) {
    datafiles::data_manifest manifest;
    const std::atomic<bool> never_cancelled{false};
    std::error_code failure;
    for (auto at = fs::recursive_directory_iterator(folder, failure);
         !failure && at != fs::recursive_directory_iterator(); at.increment(failure)) {
        const fs::path& path = at->path();
        if (path.filename().string().starts_with('.')) {
            at.disable_recursion_pending();
            continue;
        }
        const std::string name = path.lexically_relative(folder).generic_string();
        if (!at->is_regular_file() || name == datafiles::manifest_file) {
            continue;
        }
        if (!datafiles::valid_entry_name(name)) {
            error = "cannot record the file name " + name + " in the manifest";
            return false;
        }
        const auto size = fs::file_size(path, failure);
        const auto sum = datafiles::file_checksum(path, never_cancelled);
        if (failure || !sum) {
            error = "cannot read " + path.string();
            return false;
        }
        manifest.files.push_back({name, size, *sum});
    }
    if (failure) {
        error = "cannot list " + folder.string() + ": " + failure.message();
        return false;
    }
    std::sort(manifest.files.begin(), manifest.files.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });

    // Written aside and renamed, so that a manifest is either whole or the earlier one.
    const fs::path partial = folder / (std::string(".") + datafiles::manifest_file + ".partial");
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << manifest.to_text();
        if (!out.flush()) {
            error = "cannot write " + partial.string();
            return false;
        }
    }
    fs::rename(partial, folder / datafiles::manifest_file, failure);
    if (failure) {
        error = "cannot write the manifest in " + folder.string() + ": " + failure.message();
        return false;
    }
    return true;
}

} // namespace veso::corpus
