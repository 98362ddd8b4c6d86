#include "app/myapp.h"

#include "app/catalogue_view.h"
#include "app/myframe.h"
#include "app/reading/reading_widgets.h"
#include "platform/qt/qt_fonts.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_ui_services.h"

#include <QCoreApplication>
#include <QPointer>

namespace veso {

namespace {

const std::u16string_view refused_caption = u"Veso Translation";

std::u16string refused_message(const QString& path) {
    return QStringLiteral("Veso cannot open \"%1\": the program reads no document files. Choose a "
                          "text in the catalogue instead.")
        .arg(path)
        .toStdU16String();
}

// One message for all damage, found by size at start-up or by checksum on the loader thread,
// shown on the user-interface thread once the loader has compared the checksums.
void report_damage(platform::ui_services& ui,
                   const std::shared_ptr<const datafiles::data_integrity>& data) {
    if (!data->damaged().empty()) {
        ui.post_to_ui(
            [&ui, data] { ui.message_box(data->damage_message(), mydoc::message_caption); });
    }
}

} // namespace

myapp::myapp(datafiles::data_location data, std::unique_ptr<platform::settings_store> settings,
             std::unique_ptr<platform::ui_services> ui)
    : settings_(settings ? std::move(settings) : std::make_unique<platform::qt_settings_store>()),
      ui_(ui ? std::move(ui) : std::make_unique<platform::qt_ui_services>()),
      fonts_(std::make_unique<platform::qt_font_factory>()),
      data_(std::make_shared<datafiles::data_integrity>(std::move(data))),
      lexicon_(data_, [ui = ui_.get(), data = data_](const auto&) { report_damage(*ui, data); }) {}

myapp::~myapp() {
    // The frame's panes refer to the document; both go before the lexicon stops its loader.
    frame_.reset();
    document_.reset();
}

bool myapp::init_instance(const QStringList& arguments) {
    // The per-user profile lives under "veso".
    QCoreApplication::setOrganizationName(QStringLiteral("veso"));

    // The single document and its frame; the frame shows the loading box as it is created.
    document_ = std::make_unique<mydoc>(*ui_, &lexicon_, data_);
    frame_ = std::make_unique<myframe>(*this);
    if (auto* qt_ui = dynamic_cast<platform::qt_ui_services*>(ui_.get())) {
        qt_ui->set_main_window(frame_.get());
    }
    document_->attach(&frame_->catalogue().catalogue(), &frame_->text(), frame_.get());

    // The loader ends the loading box from its own thread through the user-interface thread;
    // when loading has already ended, the callback runs at once and the box closes as soon as
    // the event loop runs.
    QPointer<myframe> frame = frame_.get();
    auto* ui = ui_.get();
    lexicon_.on_loading_finished([ui, frame] {
        ui->post_to_ui([frame] {
            if (frame) {
                frame->end_loading_box();
            }
        });
    });

    frame_->setAcceptDrops(true);
    colours_.load_colours(settings_.get());
    frame_->show();
    frame_->show_loading_box();

    for (const auto& argument : arguments) {
        open_file(argument);
    }
    return true;
}

void myapp::open_file(const QString& path) {
    if (!document_->open_document(std::filesystem::path(path.toStdU16String()))) {
        ui_->message_box(refused_message(path), refused_caption);
    }
}

} // namespace veso
