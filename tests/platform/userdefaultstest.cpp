#include "temporarysettings.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

// Earlier versions read a flag as a whole number: only the number of the value that is not the
// fallback counts, so text, bytes and other numbers read as the fallback.
TEST(UserDefaultsTest, ReadsEarlierVersionsFlagsAndWritesEachValueDurably) {
    const std::tuple<FlagSetting, QVariant, bool> rows[] = {
        {Settings::FirstLaunchDone, u"twelve"_s, false},
        {Settings::DockIconShown, QByteArray("\x01\x02", 2), true},
        {Settings::DockIconShown, u"0"_s, false},
        {Settings::StartupNoticeSuppressed, 1, true},
        {Settings::FirstLaunchDone, -1, false}};
    for (const auto& [setting, stored, read] : rows) {
        SCOPED_TRACE(stored.toString().toStdString());
        TemporarySettings settings;
        settings.store(setting, stored);
        EXPECT_EQ(settings.userDefaults().flag(setting), read);
    }

    // The file's own bytes are read: each setter's write is on disk when it returns, and a setter
    // reports a file it cannot write.
    TemporarySettings settings;
    UserDefaults& defaults = settings.userDefaults();
    const QByteArray bookmark("\0bookmark\xff", 10);
    ASSERT_TRUE(defaults.setFlag(Settings::StartupNoticeSuppressed, true));
    EXPECT_EQ(settings.onDisk(u"iStatement"_s), QVariant(u"1"_s));
    ASSERT_TRUE(defaults.setBytes(Settings::OutputFolderBookmark, bookmark));
    EXPECT_EQ(settings.onDisk(u"iDataD"_s).toByteArray(), bookmark);

    UserDefaults unwritable(u"/proc/plenwick-cannot-write-here/plenwick.conf"_s);
    EXPECT_FALSE(unwritable.setFlag(Settings::DockIconShown, true));
}

} // namespace
} // namespace plenwick::test
