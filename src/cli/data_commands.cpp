#include "cli/commands.h"
#include "datafiles/data_integrity.h"

#include <atomic>
#include <chrono>
#include <iostream>

namespace veso::cli {

namespace {

const char* problem_of(datafiles::damage kind) {
    switch (kind) {
    case datafiles::damage::missing:
        return "missing";
    case datafiles::damage::wrong_size:
        return "size";
    case datafiles::damage::changed:
        return "changed";
    case datafiles::damage::unreadable:
        return "unreadable";
    }
    return "";
}

// Compares every file of the data folder with the manifest, checksums included. Fails when the
// data is missing, has no manifest or any file is damaged, saying why on standard error.
int run_check_data(command_context& context) {
    const auto started = std::chrono::steady_clock::now();
    datafiles::data_integrity& data = *context.data();
    const std::atomic<bool> never_cancelled{false};
    data.verify_checksums(never_cancelled);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();

    std::uintmax_t bytes = 0;
    for (const auto& entry : data.listed_files()) {
        bytes += entry.size;
    }
    nlohmann::json damaged = nlohmann::json::array();
    for (const auto& file : data.damaged()) {
        damaged.push_back({{"file", file.name}, {"problem", problem_of(file.kind)}});
    }
    print_json({{"folder", data.folder().string()},
                {"found", data.location().found},
                {"manifest", data.has_manifest()},
                {"files", data.listed_files().size()},
                {"bytes", bytes},
                {"damaged", damaged},
                {"ms", ms}});

    if (!data.location().found) {
        std::cerr << to_utf8(datafiles::missing_data_message(data.location())) << "\n";
    } else if (!damaged.empty()) {
        std::cerr << to_utf8(data.damage_message()) << "\n";
    } else if (!data.has_manifest()) {
        std::cerr << "veso-cli: " << data.folder().string() << " has no "
                  << datafiles::manifest_file << ", so it cannot be checked; rebuild it with "
                  << to_utf8(datafiles::build_command(data.folder())) << "\n";
    } else {
        return 0;
    }
    return 1;
}

} // namespace

void add_data_commands(CLI::App& app, command_context& context) {
    app.add_subcommand("check-data",
                       "Compare every file of the data folder with the sizes and checksums "
                       "recorded when it was built; print the folder and the damaged files as "
                       "one JSON line, and fail when any is damaged or the data is missing")
        ->callback([&context] { exit_on_failure(run_check_data(context)); });
}

} // namespace veso::cli
