#pragma once

#include "platform/ui_services.h"

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace veso::platform {

// ui_services without a window system: message boxes are recorded, dialogs answer from scripted
// replies (Cancel when none is left), and posted calls wait until run_posted() runs them on the
// calling thread, which plays the user-interface thread.
class headless_ui_services : public ui_services {
public:
    struct message {
        std::u16string text;
        std::u16string caption;
    };

    void message_box(std::u16string_view text, std::u16string_view caption) override;
    std::optional<std::u16string> run_text_dialog(text_dialog dialog) override;
    std::optional<colour_ref> choose_colour(colour_ref initial) override;
    void post_to_ui(std::function<void()> call) override;

    // Scripted replies, used in order; nullopt stands for Cancel.
    void reply_to_text_dialog(std::optional<std::u16string> reply);
    void reply_to_colour_chooser(std::optional<colour_ref> reply);

    // Runs the calls posted so far, and those they post, until none is left; returns how many ran.
    int run_posted();

    std::vector<message> messages() const;
    std::vector<text_dialog> text_dialogs_run() const;
    std::vector<colour_ref> colour_chooser_initials() const;

private:
    mutable std::mutex mutex_;
    std::vector<message> messages_;
    std::vector<text_dialog> text_dialogs_run_;
    std::vector<colour_ref> colour_chooser_initials_;
    std::deque<std::optional<std::u16string>> text_replies_;
    std::deque<std::optional<colour_ref>> colour_replies_;
    std::deque<std::function<void()>> posted_;
};

} // namespace veso::platform
