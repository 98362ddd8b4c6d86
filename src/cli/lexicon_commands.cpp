#include "cli/commands.h"
namespace veso::cli {
void add_lexicon_commands(CLI::App&, command_context&) {}
} // namespace veso::cli
