#include "runplenwick.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

namespace plenwick::test {

void CommandLineTest::SetUp() {
    ASSERT_TRUE(root.isValid());
    for (const char* folder : {"source", "output", "config", "home", "work"})
        ASSERT_TRUE(QDir(root.path()).mkdir(QString::fromLatin1(folder)));
}

QStringList CommandLineTest::environment() const {
    QStringList variables = QProcess::systemEnvironment();
    variables.removeIf([](const QString& variable) {
        return variable.startsWith(u"DISPLAY=") || variable.startsWith(u"WAYLAND_DISPLAY=") ||
               variable.startsWith(u"QT_QPA_PLATFORM=") || variable.startsWith(u"HOME=") ||
               variable.startsWith(u"XDG_CONFIG_HOME=");
    });
    // A GUI platform started by mistake would fail here for want of an X server.
    variables << QStringLiteral("QT_QPA_PLATFORM=xcb")
              << QStringLiteral("XDG_CONFIG_HOME=") + path(QStringLiteral("config"))
              << QStringLiteral("HOME=") + path(QStringLiteral("home"));
    return variables;
}

ProgramRun CommandLineTest::run(const QStringList& arguments) const {
    QProcess program;
    program.setEnvironment(environment());
    program.setWorkingDirectory(path(QStringLiteral("work")));
    program.start(QStringLiteral(PLENWICK_EXECUTABLE), arguments);
    EXPECT_TRUE(program.waitForFinished(120000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    return {program.exitCode(), program.readAllStandardOutput(), program.readAllStandardError()};
}

QStringList CommandLineTest::entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QString CommandLineTest::resolution(const QString& file) {
    QProcess exiftool;
    exiftool.start(QStringLiteral("exiftool"),
                   {QStringLiteral("-s3"), QStringLiteral("-n"), QStringLiteral("-XResolution"),
                    QStringLiteral("-YResolution"), QStringLiteral("--"), file});
    exiftool.waitForFinished(60000);
    return QString::fromUtf8(exiftool.readAllStandardOutput()).simplified();
}

} // namespace plenwick::test

int main(int argc, char* argv[]) {
    // QProcess watches its children through the application's event dispatcher.
    const QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
