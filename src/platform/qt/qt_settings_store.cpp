#include "platform/qt/qt_settings_store.h"

#include <QVariant>
#include <limits>

namespace veso::platform {

namespace {

// A stored value read back as a 32-bit number. INI files keep every value as text, so text
// counts when it is a whole decimal number that fits 32 bits (signed values keep their bits).
std::optional<std::uint32_t> as_dword(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        bool ok = false;
        const qlonglong number = text.toLongLong(&ok, 10);
        if (!ok || number < std::numeric_limits<std::int32_t>::min() ||
            number > std::numeric_limits<std::uint32_t>::max()) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(number);
    }
    default:
        return std::nullopt;
    }
}

class qt_settings_key : public settings_key {
public:
    qt_settings_key(QSettings& settings, QString group)
        : settings_(settings), group_(std::move(group)) {}
    // Closing the key writes it out, so a value survives a crash after the write.
    ~qt_settings_key() override { settings_.sync(); }
    qt_settings_key(const qt_settings_key&) = delete;
    qt_settings_key& operator=(const qt_settings_key&) = delete;

    value_type type_of(std::u16string_view name) const override {
        const QVariant value = settings_.value(full_name(name));
        if (!value.isValid()) {
            return value_type::missing;
        }
        return as_dword(value) ? value_type::dword : value_type::other;
    }

    std::optional<std::uint32_t> read_dword(std::u16string_view name) const override {
        return as_dword(settings_.value(full_name(name)));
    }

    bool write_dword(std::u16string_view name, std::uint32_t value) override {
        settings_.setValue(full_name(name), QVariant::fromValue(static_cast<uint>(value)));
        return settings_.status() == QSettings::NoError;
    }

private:
    QString full_name(std::u16string_view name) const {
        return group_ + QLatin1Char('/') +
               QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size()));
    }

    QSettings& settings_;
    QString group_;
};

} // namespace

QString settings_group(std::u16string_view path) {
    QString group = QString::fromUtf16(path.data(), static_cast<qsizetype>(path.size()));
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.endsWith(QLatin1Char('/'))) {
        group.chop(1);
    }
    return group;
}

qt_settings_store::qt_settings_store()
#ifdef Q_OS_WIN
    : settings_(
          std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER"), QSettings::NativeFormat))
#else
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("q417"), QStringLiteral("veso")))
#endif
{
}

qt_settings_store::qt_settings_store(const QString& ini_file)
    : settings_(std::make_unique<QSettings>(ini_file, QSettings::IniFormat)) {}

std::unique_ptr<settings_key> qt_settings_store::open_key(std::u16string_view path) {
    const QString group = settings_group(path);
    // A store that cannot be written, or whose file could not be parsed (Qt then refuses to write
    // it), counts as one that cannot be opened.
    if (group.isEmpty() || !settings_->isWritable() || settings_->status() != QSettings::NoError) {
        return nullptr;
    }
    return std::make_unique<qt_settings_key>(*settings_, group);
}

} // namespace veso::platform
