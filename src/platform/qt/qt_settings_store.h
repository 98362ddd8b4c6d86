#pragma once

#include "platform/settings_store.h"

#include <QSettings>
#include <QString>
#include <memory>

namespace veso::platform {

// The settings store over QSettings, per user: on Windows the user's registry hive, so that
// "SOFTWARE\q417\veso\Settings\Color" is that key under HKEY_CURRENT_USER; elsewhere the native
// format in the user's configuration folder (q417/veso.conf), with the same key and value names.
class qt_settings_store : public settings_store {
public:
    qt_settings_store();
    // A store kept in one INI file (tests, portable set-ups).
    explicit qt_settings_store(const QString& ini_file);

    std::unique_ptr<settings_key> open_key(std::u16string_view path) override;

    QString location() const { return settings_->fileName(); }

private:
    std::unique_ptr<QSettings> settings_;
};

// The group a key path becomes: backslashes turn into QSettings' separators.
QString settings_group(std::u16string_view path);

} // namespace veso::platform
