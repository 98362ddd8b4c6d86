#include "platform/qt/qt_ui_services.h"

#include "platform/qt/text_entry_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>

namespace veso::platform {

namespace {

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void qt_ui_services::message_box(std::u16string_view text, std::u16string_view caption) {
    QMessageBox box(QMessageBox::NoIcon, to_qstring(caption), to_qstring(text), QMessageBox::Ok,
                    main_window_);
    box.exec();
}

std::optional<std::u16string> qt_ui_services::run_text_dialog(text_dialog dialog) {
    text_entry_dialog box(dialog, main_window_);
    if (box.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return box.text().toStdU16String();
}

std::optional<colour_ref> qt_ui_services::choose_colour(colour_ref initial) {
    // No explicit parent, as the colour chooser of the colour tree is run.
    const QColor chosen = QColorDialog::getColor(
        QColor(red_of(initial), green_of(initial), blue_of(initial)), nullptr, QString());
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return make_colour(static_cast<std::uint8_t>(chosen.red()),
                       static_cast<std::uint8_t>(chosen.green()),
                       static_cast<std::uint8_t>(chosen.blue()));
}

void qt_ui_services::post_to_ui(std::function<void()> call) {
    // Queued on the application object, which lives on the user-interface thread; posted events
    // wait for the event loop when it has not started yet.
    QMetaObject::invokeMethod(qApp, std::move(call), Qt::QueuedConnection);
}

} // namespace veso::platform
