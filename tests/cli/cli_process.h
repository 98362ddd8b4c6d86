#pragma once

// veso-cli run as a separate process, the way a user runs it. The including test defines VESO_CLI
// as the program's path.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace veso::testing {

struct cli_result {
    std::string out;
    std::string err;
    int status = -1;
};

// Runs veso-cli in folder with the arguments, where the user's and the system's data folders do
// not exist, so that only folder/data can be found.
inline cli_result run_cli(const std::filesystem::path& folder, const std::string& arguments) {
    const std::filesystem::path err =
        std::filesystem::temp_directory_path() / ("veso-cli-err-" + std::to_string(::getpid()));
    const std::string command =
        "cd '" + folder.string() +
        "' && XDG_DATA_HOME=/nonexistent XDG_DATA_DIRS=/nonexistent '" VESO_CLI "' " + arguments +
        " 2>'" + err.string() + "'";
    cli_result result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        return result;
    }
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.out.append(buffer.data(), got);
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(err);
    result.err.assign(std::istreambuf_iterator<char>(in), {});
    in.close();
    std::filesystem::remove(err);
    return result;
}

} // namespace veso::testing
