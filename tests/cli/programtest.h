#pragma once

#include "qtprinters.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>

namespace plenwick::test {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// How one run of the program ended.
struct ProgramRun final {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// The program as a user runs it, in a scratch folder of its own: a working folder, and a settings
// folder and a home it must leave empty. It runs with no display at all.
class ProgramTest : public ::testing::Test {
protected:
    [[nodiscard]] QString path(const QString& name) const { return root.filePath(name); }

    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        for (const char* folder : {"config", "home", "work"})
            ASSERT_TRUE(QDir(root.path()).mkdir(QString::fromLatin1(folder)));
    }

    // QTemporaryDir leaves behind the names it cannot decode.
    void TearDown() override {
        std::filesystem::remove_all(QFile::encodeName(root.path()).toStdString());
    }

    // A GUI platform started by mistake would fail for want of an X server.
    [[nodiscard]] QStringList environment() const {
        static const QRegularExpression replaced(
            QStringLiteral("^(DISPLAY|WAYLAND_DISPLAY|QT_QPA_PLATFORM|HOME|XDG_CONFIG_HOME|LANG|"
                           "LANGUAGE|LC_\\w+)="));
        QStringList variables = QProcess::systemEnvironment();
        variables.removeIf([](const QString& variable) { return variable.contains(replaced); });
        return variables << language << QStringLiteral("QT_QPA_PLATFORM=xcb")
                         << QStringLiteral("XDG_CONFIG_HOME=") + path(QStringLiteral("config"))
                         << QStringLiteral("HOME=") + path(QStringLiteral("home"));
    }
    QString language = QStringLiteral("LANG=C.UTF-8");

    // Starts the program with these arguments in the working folder, and returns at once.
    void start(QProcess& program, const QStringList& arguments) const {
        program.setEnvironment(environment());
        program.setWorkingDirectory(path(QStringLiteral("work")));
        program.start(QStringLiteral(PLENWICK_EXECUTABLE), arguments);
    }

    [[nodiscard]] ProgramRun run(const QStringList& arguments) const {
        QProcess program;
        start(program, arguments);
        EXPECT_TRUE(program.waitForFinished(120000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        return {program.exitCode(), program.readAllStandardOutput().toStdString(),
                program.readAllStandardError().toStdString()};
    }

    QTemporaryDir root;
};

// Every entry of the folder, hidden ones included, sorted.
[[nodiscard]] inline QStringList entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The resolution ExifTool reads from the file, as "x y" in dots per inch: a JPEG records it in
// its JFIF header, a PNG in pixels per metre in pHYs.
[[nodiscard]] inline QString resolution(const QString& file) {
    QProcess exiftool;
    exiftool.start(QStringLiteral("exiftool"),
                   QStringLiteral("-s3 -n -JFIF:XResolution -JFIF:YResolution -PixelsPerUnitX "
                                  "-PixelsPerUnitY --")
                           .split(u' ')
                       << file);
    exiftool.waitForFinished(60000);
    QStringList values =
        QString::fromUtf8(exiftool.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    if (!file.endsWith(u".jpg")) {
        for (QString& value : values)
            value = QString::number(std::lround(value.toDouble() * 0.0254));
    }
    return values.join(u' ');
}

} // namespace plenwick::test
