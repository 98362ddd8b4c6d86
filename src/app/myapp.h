#pragma once

#include "colours/colour_table.h"
#include "datafiles/data_integrity.h"
#include "lexicon/lexicon.h"
#include "library/mydoc.h"
#include "platform/device_context.h"
#include "platform/settings_store.h"
#include "platform/ui_services.h"

#include <QStringList>
#include <memory>

namespace veso {

class myframe;

// The application object: owns the lexicon (whose loader starts with it), the colour table, the
// document and the main frame, and runs start-up.
class myapp {
public:
    static constexpr const char* title = "Veso Translation";

    // The data is read from data.folder. Without a settings store the user's own is used;
    // without ui_services, Qt's.
    explicit myapp(datafiles::data_location data,
                   std::unique_ptr<platform::settings_store> settings = nullptr,
                   std::unique_ptr<platform::ui_services> ui = nullptr);
    ~myapp();
    myapp(const myapp&) = delete;
    myapp& operator=(const myapp&) = delete;

    // Start-up: document and frame, the loading box, dropped files, colours. arguments are the
    // command line's file names. Shows the frame and returns whether start-up succeeded. Damaged
    // data files are named in one message once the lexicon's loader has checked them.
    bool init_instance(const QStringList& arguments);

    // Hands a file to the document's open path, which refuses it; says so in a message.
    void open_file(const QString& path);

    lexicon& lex() { return lexicon_; }
    ColourTable& colours() { return colours_; }
    platform::settings_store* settings() { return settings_.get(); }
    platform::ui_services& ui() { return *ui_; }
    platform::font_factory& fonts() { return *fonts_; }
    mydoc& document() { return *document_; }
    myframe* main_window() { return frame_.get(); }
    const datafiles::data_integrity& data() const { return *data_; }

private:
    // The services come first so that they outlive the lexicon's loader, which may still call
    // them until the lexicon has joined it.
    std::unique_ptr<platform::settings_store> settings_;
    std::unique_ptr<platform::ui_services> ui_;
    std::unique_ptr<platform::font_factory> fonts_;
    std::shared_ptr<datafiles::data_integrity> data_;
    lexicon lexicon_;
    ColourTable colours_;
    std::unique_ptr<mydoc> document_;
    std::unique_ptr<myframe> frame_;
};

} // namespace veso
