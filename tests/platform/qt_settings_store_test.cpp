#include "platform/qt/qt_settings_store.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace veso::platform {
namespace {

constexpr std::u16string_view colour_key = u"SOFTWARE\\q417\\veso\\Settings\\Color";

class QtSettingsStoreTest : public testing::Test {
protected:
    QString file() const { return folder.filePath(QStringLiteral("veso.ini")); }
    QTemporaryDir folder;
};

TEST_F(QtSettingsStoreTest, ValuesSurviveANewStoreUnderTheirKeyAndNames) {
    {
        qt_settings_store store(file());
        auto key = store.open_key(colour_key);
        ASSERT_TRUE(key);
        EXPECT_EQ(key->type_of(u"NounDefault"), value_type::missing);
        EXPECT_TRUE(key->write_dword(u"NounDefault", 0x00000064));
        EXPECT_TRUE(key->write_dword(u"VerbActive", 0x00FF0000));
    }
    qt_settings_store store(file());
    auto key = store.open_key(colour_key);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->type_of(u"NounDefault"), value_type::dword);
    EXPECT_EQ(key->read_dword(u"NounDefault"), 0x64u);
    EXPECT_EQ(key->read_dword(u"VerbActive"), 0x00FF0000u);

    QSettings raw(file(), QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("SOFTWARE/q417/veso/Settings/Color/VerbActive")).toUInt(),
              0x00FF0000u);
}

TEST_F(QtSettingsStoreTest, TextThatIsNoThirtyTwoBitNumberIsAnotherType) {
    {
        QSettings raw(file(), QSettings::IniFormat);
        raw.setValue(QStringLiteral("K/word"), QStringLiteral("crimson"));
        raw.setValue(QStringLiteral("K/big"), QStringLiteral("4294967296"));
        raw.setValue(QStringLiteral("K/negative"), QStringLiteral("-5"));
        raw.setValue(QStringLiteral("K/top"), QStringLiteral("4294967295"));
        raw.setValue(QStringLiteral("K/list"),
                     QStringList{QStringLiteral("1"), QStringLiteral("2")});
    }
    qt_settings_store store(file());
    auto key = store.open_key(u"K");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->type_of(u"word"), value_type::other);
    EXPECT_EQ(key->type_of(u"big"), value_type::other);
    EXPECT_EQ(key->type_of(u"list"), value_type::other);
    EXPECT_FALSE(key->read_dword(u"word"));
    // Negative window positions keep their bits, as 32-bit registry values do.
    EXPECT_EQ(key->read_dword(u"negative"), 0xFFFFFFFBu);
    EXPECT_EQ(key->read_dword(u"top"), 0xFFFFFFFFu);
}

TEST_F(QtSettingsStoreTest, ReadOnlyStoreOpensNoKey) {
    {
        QSettings raw(file(), QSettings::IniFormat);
        raw.setValue(QStringLiteral("K/a"), 1);
    }
    QFile::setPermissions(file(), QFileDevice::ReadOwner);
    qt_settings_store store(file());
    if (QSettings(file(), QSettings::IniFormat).isWritable()) {
        GTEST_SKIP() << "running with rights that ignore file permissions";
    }
    EXPECT_FALSE(store.open_key(u"K"));
}

TEST_F(QtSettingsStoreTest, PerUserStoreLivesInTheUsersConfigurationFolder) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
    qt_settings_store store;
    EXPECT_TRUE(store.location().startsWith(folder.path())) << store.location().toStdString();
    auto key = store.open_key(u"SOFTWARE\\q417\\veso\\Settings\\WindowSettings");
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->write_dword(u"DictViewX", 12));
}

TEST(SettingsGroup, BackslashesBecomeSeparators) {
    EXPECT_EQ(settings_group(u"SOFTWARE\\q417\\veso\\Settings\\Color"),
              QStringLiteral("SOFTWARE/q417/veso/Settings/Color"));
    EXPECT_EQ(settings_group(u"A\\"), QStringLiteral("A"));
}

} // namespace
} // namespace veso::platform
