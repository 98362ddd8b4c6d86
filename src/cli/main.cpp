#include "cli/commands.h"

#include <iostream>

int main(int argc, char** argv) {
    CLI::App app{"veso-cli: the Veso reading assistant's look-ups on the command line"};
    app.require_subcommand(1);
    veso::cli::command_context context;
    veso::cli::add_lexicon_commands(app, context);
    veso::cli::add_library_commands(app, context);
    veso::cli::add_data_commands(app, context);
    veso::cli::add_occurrence_commands(app, context);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << e.what() << "\n"
                  << "usage: veso-cli COMMAND [ARGS] (veso-cli --help lists them)\n";
        return 2;
    }
    return 0;
}
