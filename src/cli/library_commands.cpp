#include "cli/commands.h"

namespace veso::cli {

void add_library_commands(CLI::App&, command_context&) {}

} // namespace veso::cli
