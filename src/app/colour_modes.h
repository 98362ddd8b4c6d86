#pragma once

namespace veso {

// The text view's three colour-mode flags, as the "&Settings" menu switches them.
struct colour_mode_flags {
    bool colour_by_class = false;
    bool colour_by_case = true;
    bool colour_off = false;
};

// Runs one of the commands 50100 to 50102: the chosen flag is inverted and the other two take the
// opposite of its new value, so choosing the mode that is on turns the other two on. Returns false
// (and changes nothing) for any other command.
bool apply_colour_mode(int command, bool& colour_by_class, bool& colour_by_case, bool& colour_off);
inline bool apply_colour_mode(int command, colour_mode_flags& flags) {
    return apply_colour_mode(command, flags.colour_by_class, flags.colour_by_case,
                             flags.colour_off);
}

// Whether the menu item of command 50100 to 50102 is checked.
bool colour_mode_checked(int command, const colour_mode_flags& flags);

} // namespace veso
