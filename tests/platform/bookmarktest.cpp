#include "bookmark.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace plenwick {
namespace {

class BookmarkTest : public testing::Test {
protected:
    QTemporaryDir root;
    QString folder = root.filePath(QStringLiteral("Out put & more ü"));
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(folder)); }
};

// Another folder under the old name is not the item that was chosen.
TEST_F(BookmarkTest, ResolvesToTheChosenFolderUntilItIsReplacedOrGone) {
    const std::optional<QByteArray> data = bookmarkData(folder);
    ASSERT_TRUE(data);
    EXPECT_EQ(resolveBookmarkData(*data), QDir(folder).canonicalPath());
    ASSERT_TRUE(QDir().rename(folder, root.filePath(QStringLiteral("moved away"))));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_FALSE(resolveBookmarkData(*data));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_FALSE(resolveBookmarkData(*data));
}

TEST_F(BookmarkTest, CannotBeMadeForAMissingOrRelativeItem) {
    EXPECT_FALSE(bookmarkData(root.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(bookmarkData(QStringLiteral("relative/folder")));
    EXPECT_FALSE(bookmarkData(QString()));
}

TEST_F(BookmarkTest, DataThatIsNoBookmarkFailsWithoutHarm) {
    const QByteArray valid = *bookmarkData(folder);
    const QByteArray damaged[] = {QByteArray(),
                                  QByteArray("not a bookmark"),
                                  folder.toUtf8(),
                                  valid.left(valid.size() - 3),
                                  QByteArray(valid).append("trailing"),
                                  QByteArray(4096, '\xff')};
    for (const QByteArray& data : damaged)
        EXPECT_FALSE(resolveBookmarkData(data)) << data.toHex().toStdString();
}

} // namespace
} // namespace plenwick
