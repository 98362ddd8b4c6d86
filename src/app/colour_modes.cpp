#include "app/colour_modes.h"

#include "app/command_ids.h"

namespace veso {

namespace {

// The chosen flag flips; the other two follow its opposite.
void toggle(bool& chosen, bool& other1, bool& other2) {
    chosen = !chosen;
    other1 = !chosen;
    other2 = !chosen;
}

} // namespace

bool apply_colour_mode(int command, bool& colour_by_class, bool& colour_by_case, bool& colour_off) {
    switch (command) {
    case command::colour_off:
        toggle(colour_off, colour_by_case, colour_by_class);
        return true;
    case command::colour_by_class:
        toggle(colour_by_class, colour_off, colour_by_case);
        return true;
    case command::colour_by_case:
        toggle(colour_by_case, colour_off, colour_by_class);
        return true;
    default:
        return false;
    }
}

bool colour_mode_checked(int command, const colour_mode_flags& flags) {
    switch (command) {
    case command::colour_off:
        return flags.colour_off;
    case command::colour_by_class:
        return flags.colour_by_class;
    case command::colour_by_case:
        return flags.colour_by_case;
    default:
        return false;
    }
}

} // namespace veso
