#pragma once

#include "platform/colour.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace veso::platform {

// The modal dialogs with one edit box.
enum class text_dialog {
    goto_line,       // "Goto", "Goto Line:"
    goto_dictionary, // "Goto Dictionary", "Greek Lemma"
    find_word,       // "Find a word", a lemma or form to search the texts for
};

// What the core asks of the windowing toolkit besides painting: the message box, the dialogs and
// running work on the user-interface thread.
class ui_services {
public:
    virtual ~ui_services() = default;

    // A modal message box with an OK button over the main window.
    virtual void message_box(std::u16string_view text, std::u16string_view caption) = 0;

    // Runs the dialog modally; the edit box's text when it ended with OK, nothing on Cancel.
    virtual std::optional<std::u16string> run_text_dialog(text_dialog dialog) = 0;

    // The system colour chooser with the custom-colour panel open; nothing on Cancel.
    virtual std::optional<colour_ref> choose_colour(colour_ref initial) = 0;

    // Runs the call on the user-interface thread; safe to call from any thread. Calls made before
    // the event loop starts run once it does.
    virtual void post_to_ui(std::function<void()> call) = 0;
};

} // namespace veso::platform
