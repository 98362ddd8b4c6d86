#pragma once

#include "greek/wide_string.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

namespace veso {
class lexicon;
}

namespace veso::cli {

// Shared by the command groups: the lexicon is made (and fully loaded) only by commands that ask
// for it, from data/ below the working directory, as in the program.
class command_context {
public:
    command_context();
    ~command_context();
    lexicon& loaded_lexicon();

private:
    std::unique_ptr<lexicon> lexicon_;
};

std::string to_utf8(const wide_string& text);
wide_string from_utf8(const std::string& text);
// One JSON object on one line of standard output.
void print_json(const nlohmann::json& object);

void add_lexicon_commands(CLI::App& app, command_context& context);
void add_library_commands(CLI::App& app, command_context& context);
void add_occurrence_commands(CLI::App& app, command_context& context);

} // namespace veso::cli
