#pragma once

#include "testpictures.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace plenwick::test {

struct ProgramRun final {
    int exitStatus = -1;
    QByteArray out;
    QByteArray err;
};

// A scratch home for one test: a source and an output folder, and a settings folder and a home
// the program must leave empty. The program runs with no display at all.
class CommandLineTest : public ::testing::Test {
protected:
    [[nodiscard]] QString path(const QString& name) const { return root.filePath(name); }
    [[nodiscard]] QString source() const { return path(QStringLiteral("source")); }
    [[nodiscard]] QString output() const { return path(QStringLiteral("output")); }

    void SetUp() override;
    // Runs the program with these arguments in a working folder of its own.
    ProgramRun run(const QStringList& arguments) const;
    // The program's environment: no display, settings and home in the scratch folder.
    [[nodiscard]] QStringList environment() const;
    // Every entry of the folder, hidden ones included, sorted.
    [[nodiscard]] static QStringList entries(const QString& folder);
    // The resolution ExifTool reads from the file, as "x y".
    [[nodiscard]] static QString resolution(const QString& file);

    QTemporaryDir root;
};

} // namespace plenwick::test
