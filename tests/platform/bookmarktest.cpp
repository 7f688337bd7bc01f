#include "bookmark.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace plenwick {
namespace {

// Damaged data, and another folder under the old name, are not the item that was chosen. (A
// folder that is gone, or was never there, is judged through the window's tests.)
TEST(BookmarkTest, ResolvesToTheChosenFolderUntilItIsReplaced) {
    const QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("Out put & more ü"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QByteArray data = bookmarkData(folder).value();
    EXPECT_EQ(resolveBookmarkData(data), QDir(folder).canonicalPath());
    const QByteArray damaged[] = {folder.toUtf8(), data.left(data.size() - 3), data + "trailing"};
    for (const QByteArray& bytes : damaged)
        EXPECT_FALSE(resolveBookmarkData(bytes)) << bytes.toHex().toStdString();

    ASSERT_TRUE(QDir().rename(folder, root.filePath(QStringLiteral("moved away"))));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_FALSE(resolveBookmarkData(data));
}

} // namespace
} // namespace plenwick
