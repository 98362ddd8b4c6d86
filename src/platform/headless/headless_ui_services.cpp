#include "platform/headless/headless_ui_services.h"

namespace veso::platform {

void headless_ui_services::message_box(std::u16string_view text, std::u16string_view caption) {
    std::lock_guard lock(mutex_);
    messages_.push_back({std::u16string(text), std::u16string(caption)});
}

std::optional<std::u16string> headless_ui_services::run_text_dialog(text_dialog dialog) {
    std::lock_guard lock(mutex_);
    text_dialogs_run_.push_back(dialog);
    if (text_replies_.empty()) {
        return std::nullopt;
    }
    auto reply = std::move(text_replies_.front());
    text_replies_.pop_front();
    return reply;
}

std::optional<colour_ref> headless_ui_services::choose_colour(colour_ref initial) {
    std::lock_guard lock(mutex_);
    colour_chooser_initials_.push_back(initial);
    if (colour_replies_.empty()) {
        return std::nullopt;
    }
    const auto reply = colour_replies_.front();
    colour_replies_.pop_front();
    return reply;
}

void headless_ui_services::post_to_ui(std::function<void()> call) {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(call));
}

void headless_ui_services::reply_to_text_dialog(std::optional<std::u16string> reply) {
    std::lock_guard lock(mutex_);
    text_replies_.push_back(std::move(reply));
}

void headless_ui_services::reply_to_colour_chooser(std::optional<colour_ref> reply) {
    std::lock_guard lock(mutex_);
    colour_replies_.push_back(reply);
}

int headless_ui_services::run_posted() {
    int ran = 0;
    for (;;) {
        std::function<void()> call;
        {
            std::lock_guard lock(mutex_);
            if (posted_.empty()) {
                return ran;
            }
            call = std::move(posted_.front());
            posted_.pop_front();
        }
        call();
        ++ran;
    }
}

std::vector<headless_ui_services::message> headless_ui_services::messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::vector<text_dialog> headless_ui_services::text_dialogs_run() const {
    std::lock_guard lock(mutex_);
    return text_dialogs_run_;
}

std::vector<colour_ref> headless_ui_services::colour_chooser_initials() const {
    std::lock_guard lock(mutex_);
    return colour_chooser_initials_;
}

} // namespace veso::platform
