#include "bookmark.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace plenwick {
namespace {

// Another folder under the old name is not the item that was chosen (a folder that is gone is
// judged through the window).
TEST(BookmarkTest, ResolvesToTheChosenFolderUntilItIsReplacedOrGone) {
    const QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("Out put & more ü"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_FALSE(bookmarkData(root.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(bookmarkData(QStringLiteral("relative/folder")));
    const QByteArray data = bookmarkData(folder).value();
    EXPECT_EQ(resolveBookmarkData(data), QDir(folder).canonicalPath());
    const QByteArray damaged[] = {QByteArray("not a bookmark"), folder.toUtf8(),
                                  data.left(data.size() - 3), data + "trailing"};
    for (const QByteArray& bytes : damaged)
        EXPECT_FALSE(resolveBookmarkData(bytes)) << bytes.toHex().toStdString();

    ASSERT_TRUE(QDir().rename(folder, root.filePath(QStringLiteral("moved away"))));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_FALSE(resolveBookmarkData(data));
}

} // namespace
} // namespace plenwick
