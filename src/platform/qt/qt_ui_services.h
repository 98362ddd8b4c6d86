#pragma once

#include "platform/ui_services.h"

#include <QPointer>
#include <QWidget>

namespace veso::platform {

// ui_services over Qt: QMessageBox, the two text dialogs, QColorDialog, and calls posted to the
// application's event loop. Needs a QApplication for its whole life.
class qt_ui_services : public ui_services {
public:
    // The window that message boxes and dialogs are centred over; may be null.
    void set_main_window(QWidget* window) { main_window_ = window; }

    void message_box(std::u16string_view text, std::u16string_view caption) override;
    std::optional<std::u16string> run_text_dialog(text_dialog dialog) override;
    std::optional<colour_ref> choose_colour(colour_ref initial) override;
    void post_to_ui(std::function<void()> call) override;

private:
    QPointer<QWidget> main_window_;
};

} // namespace veso::platform
