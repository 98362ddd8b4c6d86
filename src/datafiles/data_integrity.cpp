#include "datafiles/data_integrity.h"

#include <algorithm>
#include <system_error>

namespace veso::datafiles {

namespace {

std::u16string described(damage kind) {
    switch (kind) {
    case damage::missing:
        return u"missing";
    case damage::wrong_size:
        return u"not the size it was built with";
    case damage::changed:
        return u"its bytes have changed";
    case damage::unreadable:
        return u"cannot be read";
    }
    return u"";
}

} // namespace

data_integrity::data_integrity(data_location location)
    : location_(std::move(location)), manifest_(folder_manifest::read(location_.folder)) {
    if (manifest_.found == folder_manifest::state::unreadable) {
        damaged_.push_back({manifest_file, damage::unreadable});
    }
    for (const manifest_entry& entry : listed_files()) {
        std::error_code error;
        const std::filesystem::path path = location_.folder / entry.name;
        if (!std::filesystem::is_regular_file(path, error)) {
            damaged_.push_back({entry.name, damage::missing});
        } else if (std::filesystem::file_size(path, error) != entry.size || error) {
            damaged_.push_back({entry.name, damage::wrong_size});
        }
    }
}

bool data_integrity::usable(std::string_view file) const {
    std::lock_guard lock(mutex_);
    return std::none_of(damaged_.begin(), damaged_.end(),
                        [file](const damaged_file& d) { return d.name == file; });
}

std::vector<damaged_file> data_integrity::damaged() const {
    std::lock_guard lock(mutex_);
    return damaged_;
}

void data_integrity::add_damage(const std::vector<damaged_file>& found) {
    std::lock_guard lock(mutex_);
    damaged_.insert(damaged_.end(), found.begin(), found.end());
}

std::vector<damaged_file> data_integrity::verify_checksums(const std::atomic<bool>& cancel) {
    std::vector<damaged_file> found;
    for (const manifest_entry& entry : listed_files()) {
        if (cancel.load() || !usable(entry.name)) {
            continue;
        }
        const auto sum = file_checksum(location_.folder / entry.name, cancel);
        if (!sum && !cancel.load()) {
            found.push_back({entry.name, damage::unreadable});
        } else if (sum && *sum != entry.checksum) {
            found.push_back({entry.name, damage::changed});
        }
    }
    add_damage(found);
    return found;
}

std::u16string data_integrity::damage_message() const {
    std::u16string message =
        u"Veso's data in " + shown_path(location_.folder) + u" is damaged:\n\n";
    for (const damaged_file& file : damaged()) {
        message += u"    " + widened(file.name) + u": " + described(file.kind) + u"\n";
    }
    message += u"\nVeso goes on without these files. ";
    if (location_.installed) {
        message += u"The data came with the Veso package; reinstall it with\n\n"
                   u"    sudo apt install --reinstall veso\n\n"
                   u"or build the data afresh with\n\n    " +
                   build_command(location_.build_folder);
    } else {
        message += u"Rebuild it with\n\n    " + build_command(location_.folder);
    }
    return message;
}

} // namespace veso::datafiles
