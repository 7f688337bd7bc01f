#include "temporarysettings.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

// Earlier versions read a flag as a whole number: only the number of the value that is not the
// fallback counts, so text, bytes and other numbers read as the fallback.
TEST(UserDefaultsTest, FlagsReadOnlyTheirOtherValuesNumberAsThatValue) {
    TemporarySettings settings;
    settings.store(Settings::FirstLaunchDone, QStringLiteral("twelve"));
    settings.store(Settings::DockIconShown, QByteArray("\x01\x02", 2));
    settings.store(Settings::StartupNoticeSuppressed, QStringLiteral("12"));
    settings.store(Settings::SourceFolderBookmark, QStringLiteral("not bytes"));
    const UserDefaults& defaults = settings.userDefaults();
    EXPECT_FALSE(defaults.flag(Settings::FirstLaunchDone));
    EXPECT_TRUE(defaults.flag(Settings::DockIconShown));
    EXPECT_FALSE(defaults.flag(Settings::StartupNoticeSuppressed));
    EXPECT_FALSE(defaults.bytes(Settings::OutputFolderBookmark).has_value());
    EXPECT_FALSE(defaults.bytes(Settings::SourceFolderBookmark).has_value());

    TemporarySettings others;
    others.store(Settings::DockIconShown, QStringLiteral("0"));
    others.store(Settings::StartupNoticeSuppressed, 1);
    others.store(Settings::FirstLaunchDone, -1);
    EXPECT_FALSE(others.userDefaults().flag(Settings::DockIconShown));
    EXPECT_TRUE(others.userDefaults().flag(Settings::StartupNoticeSuppressed));
    EXPECT_FALSE(others.userDefaults().flag(Settings::FirstLaunchDone));
}

// The file's own bytes are read: each setter's write is on disk when it returns.
TEST(UserDefaultsTest, EachWriteIsOnDiskInTheStoredFormat) {
    TemporarySettings settings;
    UserDefaults& defaults = settings.userDefaults();
    ASSERT_TRUE(defaults.setFlag(Settings::DockIconShown, false));
    EXPECT_EQ(settings.onDisk(QStringLiteral("iDock")), QVariant(QStringLiteral("0")));
    ASSERT_TRUE(defaults.setFlag(Settings::StartupNoticeSuppressed, true));
    EXPECT_EQ(settings.onDisk(QStringLiteral("iStatement")), QVariant(QStringLiteral("1")));
    ASSERT_TRUE(
        defaults.setBytes(Settings::OutputFolderBookmark, QByteArray("\0bookmark\xff", 10)));
    EXPECT_EQ(settings.onDisk(QStringLiteral("iDataD")).toByteArray(),
              QByteArray("\0bookmark\xff", 10));
    EXPECT_EQ(defaults.bytes(Settings::OutputFolderBookmark), QByteArray("\0bookmark\xff", 10));
}

TEST(UserDefaultsTest, SettersReportAFileThatCannotBeWritten) {
    UserDefaults defaults(QStringLiteral("/proc/plenwick-cannot-write-here/plenwick.conf"));
    EXPECT_FALSE(defaults.setFlag(Settings::DockIconShown, true));
    EXPECT_FALSE(defaults.setBytes(Settings::SourceFolderBookmark, QByteArray("x")));
}

} // namespace
} // namespace plenwick::test
