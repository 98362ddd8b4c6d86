#include "app/reading/reading_widgets.h"

namespace veso {

dictionary_window::dictionary_window(lexicon& lex, platform::font_factory& fonts,
                                     platform::settings_store* settings, platform::ui_services& ui,
                                     const view_scale& scale)
    : view_(lex, fonts, settings, ui), scale_(scale) {}

dictionary_window::~dictionary_window() {
    view_.attach(nullptr);
    delete dialog_.data();
}

void dictionary_window::destroy_dictionary_window() {
    view_.attach(nullptr);
    if (dialog_.isNull())
        return;
    // Deleted later: this may run inside one of the dialog's own menu commands.
    dictionary_dialog* old = dialog_.data();
    dialog_.clear();
    old->hide();
    old->deleteLater();
}

dictionary_view& dictionary_window::create_dictionary_window() {
    destroy_dictionary_window();
    dialog_ = new dictionary_dialog(
        view_, [this] { destroy_dictionary_window(); }, scale_, parent_);
    view_.attach(dialog_.data());
    view_.initialise();
    return view_;
}

void dictionary_window::show_dictionary_window() {
    if (dialog_.isNull())
        return;
    dialog_->show();
}

QDialog* dictionary_window::dialog() const {
    return dialog_.data();
}

void dictionary_window::scale_changed() {
    if (!dialog_.isNull())
        view_.size_changed();
}

} // namespace veso
