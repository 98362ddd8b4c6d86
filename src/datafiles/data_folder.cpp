#include "datafiles/data_folder.h"

#include <cstdlib>
#include <string_view>
#include <system_error>

namespace veso::datafiles {

namespace {

namespace fs = std::filesystem;

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The user's data folder: $XDG_DATA_HOME, or ~/.local/share; none without an absolute one.
fs::path data_home(const search_environment& environment) {
    if (fs::path chosen = environment.data_home; chosen.is_absolute()) {
        return chosen;
    }
    if (fs::path home = environment.home; home.is_absolute()) {
        return home / ".local" / "share";
    }
    return {};
}

std::vector<fs::path> system_data_folders(const search_environment& environment) {
    const std::string list =
        environment.data_dirs.empty() ? "/usr/local/share:/usr/share" : environment.data_dirs;
    std::vector<fs::path> folders;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        if (fs::path entry = list.substr(start, end - start); entry.is_absolute()) {
            folders.push_back(std::move(entry));
        }
        start = end + 1;
    }
    return folders;
}

bool holds_main_text(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / main_text_file, error);
}

} // namespace

search_environment search_environment::of_process() {
    return {variable("HOME"), variable("XDG_DATA_HOME"), variable("XDG_DATA_DIRS")};
}

data_location data_location::below(const fs::path& working_folder) {
    data_location location;
    location.folder = working_folder / "data";
    location.searched = {location.folder};
    location.build_folder = location.folder;
    location.found = holds_main_text(location.folder);
    return location;
}

std::vector<fs::path> data_folder_candidates(const fs::path& working_folder,
                                             const search_environment& environment) {
    std::vector<fs::path> candidates{working_folder / "data"};
    if (const fs::path home = data_home(environment); !home.empty()) {
        candidates.push_back(home / "veso" / "data");
    }
    for (const fs::path& folder : system_data_folders(environment)) {
        candidates.push_back(folder / "veso" / "data");
    }
    return candidates;
}

data_location locate_data_folder(const fs::path& working_folder,
                                 const search_environment& environment) {
    data_location location;
    location.searched = data_folder_candidates(working_folder, environment);
    location.folder = location.searched.front();
    const fs::path home = data_home(environment);
    location.build_folder = home.empty() ? location.folder : home / "veso" / "data";
    // The working folder's data/ and the user's come first; the rest are system folders.
    const std::size_t first_system = home.empty() ? 1 : 2;
    for (std::size_t i = 0; i < location.searched.size(); ++i) {
        if (holds_main_text(location.searched[i])) {
            location.folder = location.searched[i];
            location.found = true;
            location.installed = i >= first_system;
            break;
        }
    }
    return location;
}

std::u16string widened(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

std::u16string shown_path(const fs::path& path) {
    try {
        return path.u16string();
    } catch (const std::exception&) {
        std::u16string shown;
        for (const unsigned char c : path.native()) {
            shown += c < 0x80 ? static_cast<char16_t>(c) : u'\uFFFD';
        }
        return shown;
    }
}

std::u16string build_command(const fs::path& folder) {
    return u"veso-build-data --corpus ../shared/corpus --out " + shown_path(folder);
}

std::u16string missing_data_message(const data_location& location) {
    std::u16string message = u"Veso found no text data: none of these folders holds " +
                             widened(main_text_file) + u".\n\n";
    for (const fs::path& folder : location.searched) {
        message += u"    " + shown_path(folder) + u"\n";
    }
    message += u"\nBuild the data from the corpus with\n\n    " +
               build_command(location.build_folder) +
               u"\n\n(veso-build-data is built with Veso from its source folder, where "
               u"./setup.sh run builds data/ for you), or install the Veso package, which "
               u"brings the data. The catalogue can be browsed meanwhile.";
    return message;
}

} // namespace veso::datafiles
