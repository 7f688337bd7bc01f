#include "temporarysettings.h"

#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

// The flags' stored forms are judged by the window's and the panel's tests; bytes are the
// settings' own: they reach the file's bytes as they are, and text under their key is no bytes.
TEST(UserDefaultsTest, BytesReachTheDiskWholeAndTextReadsAsNone) {
    TemporarySettings settings;
    UserDefaults& defaults = settings.userDefaults();
    const QByteArray bookmark("\0bookmark\xff", 10);
    ASSERT_TRUE(defaults.setBytes(Settings::OutputFolderBookmark, bookmark));
    EXPECT_EQ(settings.onDisk(QStringLiteral("iDataD")).toByteArray(), bookmark);
    EXPECT_EQ(defaults.bytes(Settings::OutputFolderBookmark), bookmark);
    EXPECT_FALSE(defaults.bytes(Settings::SourceFolderBookmark));
    settings.store(Settings::SourceFolderBookmark, QStringLiteral("not bytes"));
    EXPECT_FALSE(defaults.bytes(Settings::SourceFolderBookmark));
}

TEST(UserDefaultsTest, SettersReportAFileThatCannotBeWritten) {
    UserDefaults defaults(QStringLiteral("/proc/plenwick-cannot-write-here/plenwick.conf"));
    EXPECT_FALSE(defaults.setFlag(Settings::DockIconShown, true));
    EXPECT_FALSE(defaults.setBytes(Settings::SourceFolderBookmark, QByteArray("x")));
}

} // namespace
} // namespace plenwick::test
