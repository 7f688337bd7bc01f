#include "userdefaults.h"

#include <gtest/gtest.h>

namespace plenwick {
namespace {

// What the setters write, and in which form, is judged through the window's and the panel's
// tests, which read the file back; only a failed write cannot be reached from there.
TEST(UserDefaultsTest, SettersReportAFileThatCannotBeWritten) {
    UserDefaults defaults(QStringLiteral("/proc/plenwick-cannot-write-here/plenwick.conf"));
    EXPECT_FALSE(defaults.setFlag(Settings::DockIconShown, true));
    EXPECT_FALSE(defaults.setBytes(Settings::SourceFolderBookmark, QByteArray("x")));
}

} // namespace
} // namespace plenwick
