#include "toolcommands.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace plenwick {
namespace {

// A JPEG copy is always named ".jpg" after the last dot; a PNG or TIFF copy keeps the name, letter
// case and all.
TEST(CopyNameTest, ReplacesAJpegExtensionAndKeepsAnyOther) {
    const std::pair<const char*, const char*> rows[] = {
        {"archive.tar.png", "archive.tar.jpg"},
        {".jpg", ".jpg.jpg"}, // a hidden name, not an extension
        {"README", "README.jpg"},
        {"trailing.", "trailing.jpg"}};
    for (const auto& [name, jpegCopy] : rows) {
        EXPECT_EQ(copyName(name, PictureFamily::Jpeg), jpegCopy);
        EXPECT_EQ(copyName(name, PictureFamily::Png), name);
    }
}

// What the shell makes of a quoted name must be the name itself, byte for byte, and nothing of it
// may run.
TEST(ShellQuotingTest, NamesSurviveTheShellUnchanged) {
    // clang-format off
    const QByteArray names[] = {
        "a\\$(x)", "a\\`x`", "a\\\"b", "ends in\\", "$(touch X)", "`touch X`", "q\"uote",
        "back\\slash", "line\nfeed", "tab\there", "$HOME", "\\\\", "not utf-8 \xff\xfe",
        "'single'", "*.jpg", "a;b&c|d"};
    // clang-format on
    for (const QByteArray& name : names) {
        QProcess shell;
        shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-s")});
        ASSERT_TRUE(shell.waitForStarted());
        shell.write("printf '%s' \"" + shellQuoted(name) + "\"\n");
        shell.closeWriteChannel();
        ASSERT_TRUE(shell.waitForFinished(10000));
        EXPECT_EQ(shell.exitCode(), 0) << name.toStdString();
        EXPECT_EQ(shell.readAllStandardOutput(), name) << name.toStdString();
        EXPECT_EQ(shell.readAllStandardError(), QByteArray()) << name.toStdString();
    }
}

} // namespace
} // namespace plenwick
