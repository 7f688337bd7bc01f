#include "temporarysettings.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

TEST(UserDefaultsTest, IntegerOfAbsentOrNonIntegerKeyIsZero) {
    TemporarySettings settings;
    settings.store(SettingsKey::FirstLaunchDone, QStringLiteral("twelve"));
    settings.store(SettingsKey::DockIconShown, QByteArray("\x01\x02", 2));
    settings.store(SettingsKey::StartupNoticeSuppressed, QStringLiteral("12"));
    UserDefaults& defaults = settings.userDefaults();

    EXPECT_EQ(defaults.integerForKey(SettingsKey::OutputFolderBookmark), 0);
    EXPECT_EQ(defaults.integerForKey(SettingsKey::FirstLaunchDone), 0);
    EXPECT_EQ(defaults.integerForKey(SettingsKey::DockIconShown), 0);
    EXPECT_EQ(defaults.integerForKey(SettingsKey::StartupNoticeSuppressed), 12);
    EXPECT_FALSE(defaults.objectForKey(SettingsKey::SourceFolderBookmark).isValid());
}

// The file's own bytes are read, so a write that was never synchronized is not seen.
TEST(UserDefaultsTest, OnlySynchronizedWritesAreOnDisk) {
    TemporarySettings settings;
    UserDefaults& defaults = settings.userDefaults();
    defaults.setInteger(-3, SettingsKey::DockIconShown);
    defaults.setObject(QByteArray("\0bookmark\xff", 10), SettingsKey::OutputFolderBookmark);
    EXPECT_FALSE(settings.onDisk(SettingsKey::DockIconShown).isValid());
    ASSERT_TRUE(defaults.synchronize());

    EXPECT_EQ(settings.onDisk(QStringLiteral("iDock")).toInt(), -3);
    EXPECT_EQ(settings.onDisk(QStringLiteral("iDataD")).toByteArray(),
              QByteArray("\0bookmark\xff", 10));
}

TEST(UserDefaultsTest, SynchronizeReportsAFileThatCannotBeWritten) {
    UserDefaults defaults(QStringLiteral("/proc/plenwick-cannot-write-here/plenwick.conf"));
    defaults.setInteger(1, SettingsKey::DockIconShown);
    EXPECT_FALSE(defaults.synchronize());
}

} // namespace
} // namespace plenwick::test
