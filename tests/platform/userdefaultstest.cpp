#include "temporarysettings.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

TEST(UserDefaultsTest, IntegerOfAbsentOrNonIntegerKeyIsZero) {
    TemporarySettings settings;
    settings.store(QStringLiteral("text"), QStringLiteral("twelve"));
    settings.store(QStringLiteral("bytes"), QByteArray("\x01\x02", 2));
    settings.store(QStringLiteral("number"), QStringLiteral("12"));
    UserDefaults& defaults = settings.userDefaults();

    EXPECT_EQ(defaults.integerForKey(QStringLiteral("absent")), 0);
    EXPECT_EQ(defaults.integerForKey(QStringLiteral("text")), 0);
    EXPECT_EQ(defaults.integerForKey(QStringLiteral("bytes")), 0);
    EXPECT_EQ(defaults.integerForKey(QStringLiteral("number")), 12);
    EXPECT_FALSE(defaults.objectForKey(QStringLiteral("absent")).isValid());
}

TEST(UserDefaultsTest, SynchronizedWritesAreOnDiskForTheNextLaunch) {
    TemporarySettings settings;
    UserDefaults& defaults = settings.userDefaults();
    defaults.setInteger(-3, QStringLiteral("count"));
    defaults.setObject(QByteArray("\0bookmark\xff", 10), QStringLiteral("data"));
    ASSERT_TRUE(defaults.synchronize());

    EXPECT_EQ(settings.onDisk(QStringLiteral("count")).toInt(), -3);
    EXPECT_EQ(settings.onDisk(QStringLiteral("data")).toByteArray(),
              QByteArray("\0bookmark\xff", 10));
    const UserDefaults nextLaunch(settings.filePath());
    EXPECT_EQ(nextLaunch.integerForKey(QStringLiteral("count")), -3);
}

TEST(UserDefaultsTest, SynchronizeReportsAFileThatCannotBeWritten) {
    UserDefaults defaults(QStringLiteral("/proc/plenwick-cannot-write-here/plenwick.conf"));
    defaults.setInteger(1, QStringLiteral("key"));
    EXPECT_FALSE(defaults.synchronize());
}

} // namespace
} // namespace plenwick::test
