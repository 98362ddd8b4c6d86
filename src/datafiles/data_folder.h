#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace veso::datafiles {

// The file whose presence makes a folder the data folder: the main text file.
inline constexpr const char* main_text_file = "t.dat";

// The environment variables the search reads; unset and empty are alike.
struct search_environment {
    std::string home;
    std::string data_home; // XDG_DATA_HOME
    std::string data_dirs; // XDG_DATA_DIRS
    static search_environment of_process();
};

// The data folder in use and how it was found.
struct data_location {
    // The first searched folder that holds the main text file; the first searched folder when
    // none does.
    std::filesystem::path folder;
    // Every folder looked at, in order.
    std::vector<std::filesystem::path> searched;
    // Where data built by hand belongs so that it is found whatever the working folder.
    std::filesystem::path build_folder;
    bool found = false;
    // The folder lies in a system data folder ($XDG_DATA_DIRS), where a package put it.
    bool installed = false;

    // data/ below the working folder and nothing else (tests, tools given their folder).
    static data_location below(const std::filesystem::path& working_folder);
};

// The folders searched, in order: data/ below the working folder, veso/data below $XDG_DATA_HOME
// (default ~/.local/share), then veso/data below each folder of $XDG_DATA_DIRS (default
// /usr/local/share:/usr/share). Relative entries are ignored, as the XDG base directory rules say.
std::vector<std::filesystem::path>
data_folder_candidates(const std::filesystem::path& working_folder,
                       const search_environment& environment);

data_location
locate_data_folder(const std::filesystem::path& working_folder,
                   const search_environment& environment = search_environment::of_process());

// A path for a message; bytes that are not UTF-8 show as U+FFFD.
std::u16string shown_path(const std::filesystem::path& path);

// ASCII text (file names, numbers) as UTF-16.
std::u16string widened(std::string_view ascii);

// The command that builds the data from the corpus into folder.
std::u16string build_command(const std::filesystem::path& folder);

// Said when no searched folder holds the main text file: where Veso looked and what to run.
std::u16string missing_data_message(const data_location& location);

} // namespace veso::datafiles
