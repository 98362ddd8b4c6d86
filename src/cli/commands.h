#pragma once

#include "greek/wide_string.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

namespace veso {
class lexicon;
namespace datafiles {
class data_integrity;
}
} // namespace veso

namespace veso::cli {

// Shared by the command groups: the data folder, found from the working directory as the program
// finds it, and the lexicon, made (and fully loaded) only by commands that ask for it.
class command_context {
public:
    command_context();
    ~command_context();
    const std::shared_ptr<datafiles::data_integrity>& data();
    lexicon& loaded_lexicon();

private:
    std::shared_ptr<datafiles::data_integrity> data_;
    std::unique_ptr<lexicon> lexicon_;
};

std::string to_utf8(const wide_string& text);
wide_string from_utf8(const std::string& text);
// One JSON object on one line of standard output.
void print_json(const nlohmann::json& object);
// Ends the program with a failure status once the command's objects are gone.
void exit_on_failure(int status);

void add_lexicon_commands(CLI::App& app, command_context& context);
void add_library_commands(CLI::App& app, command_context& context);
void add_data_commands(CLI::App& app, command_context& context);
void add_occurrence_commands(CLI::App& app, command_context& context);

} // namespace veso::cli
