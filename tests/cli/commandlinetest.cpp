#include "runplenwick.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <csignal>
#include <vector>

namespace plenwick::test {
namespace {

QByteArray digest(const QString& file) {
    QFile in(file);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly)) << file.toStdString();
    return QCryptographicHash::hash(in.readAll(), QCryptographicHash::Sha256);
}

struct UsageRow final {
    const char* name;
    QStringList arguments; // "SRC" and "OUT" stand for the test's folders
    const char* message;
};

void PrintTo(const UsageRow& row, std::ostream* out) {
    *out << row.name;
}

class UsageErrorTest : public CommandLineTest, public ::testing::WithParamInterface<UsageRow> {};

TEST_P(UsageErrorTest, SaysWhatIsWrongAndDoesNothing) {
    makePicture(source() + QStringLiteral("/photo.jpg"), QStringLiteral("jpeg"));
    ASSERT_TRUE(QFile(path(QStringLiteral("a file"))).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(source(), path(QStringLiteral("link to source"))));
    QStringList arguments = GetParam().arguments;
    for (QString& argument : arguments) {
        argument.replace(QStringLiteral("SRC"), source());
        argument.replace(QStringLiteral("OUT"), output());
        argument.replace(QStringLiteral("ROOT"), root.path());
    }
    const ProgramRun result = run(arguments);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_TRUE(result.err.contains(GetParam().message)) << result.err.toStdString();
    EXPECT_TRUE(result.err.endsWith("Try 'plenwick --help'.\n")) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_EQ(entries(output()), QStringList());
    EXPECT_EQ(entries(source()), QStringList{QStringLiteral("photo.jpg")});
}

const auto dpi = [](const char* value) {
    return QStringList{QStringLiteral("--dpi"), QString::fromLatin1(value),
                       QStringLiteral("--output"), QStringLiteral("OUT"), QStringLiteral("SRC")};
};
const auto jobs = [](const char* value) {
    return QStringList{QStringLiteral("--jobs"), QString::fromLatin1(value)} + dpi("300");
};
const auto folders = [](const char* output, const char* source) {
    return QStringList{QStringLiteral("--dpi"), QStringLiteral("300"), QStringLiteral("--output"),
                       QString::fromUtf8(output), QString::fromUtf8(source)};
};

INSTANTIATE_TEST_SUITE_P(
    Rows, UsageErrorTest,
    ::testing::Values(
        UsageRow{"DpiZero", dpi("0"), "whole number from 1 to 4000, not '0'"},
        UsageRow{"DpiTooHigh", dpi("4001"), "not '4001'"},
        UsageRow{"DpiOverflowing", dpi("9223372036854775808"), "not '9223372036854775808'"},
        UsageRow{"DpiNegative", dpi("-5"), "not '-5'"},
        UsageRow{"DpiWithSign", dpi("+300"), "not '+300'"},
        UsageRow{"DpiFraction", dpi("300.5"), "not '300.5'"},
        UsageRow{"DpiWithUnit", dpi("300dpi"), "not '300dpi'"},
        UsageRow{"DpiEmpty", dpi(""), "not ''"},
        UsageRow{"DpiMissing", folders("OUT", "SRC").mid(2), "--dpi is missing"},
        UsageRow{"DpiTwice", QStringList{QStringLiteral("--dpi=72")} + dpi("300"),
                 "--dpi is given more than once"},
        UsageRow{"OutputMissing",
                 {QStringLiteral("--dpi"), QStringLiteral("300"), QStringLiteral("SRC")},
                 "--output is missing"},
        UsageRow{"OutputNotThere", folders("ROOT/none", "SRC"), "the output folder"},
        UsageRow{"OutputIsAFile", folders("ROOT/a file", "SRC"), "is not a folder"},
        UsageRow{"SourceNotThere", folders("OUT", "ROOT/none"), "the source folder"},
        UsageRow{"SourceMissing", folders("OUT", "SRC").mid(0, 4), "SOURCE_DIR is missing"},
        UsageRow{"TwoSources", folders("OUT", "SRC") << QStringLiteral("OUT"),
                 "only one SOURCE_DIR"},
        UsageRow{"SameFolder", folders("SRC", "SRC"), "the output folder is the source folder"},
        UsageRow{"SameFolderThroughLink", folders("ROOT/link to source", "SRC"),
                 "the output folder is the source folder"},
        UsageRow{"SameFolderWithDots", folders("ROOT/source/../source/", "SRC"),
                 "the output folder is the source folder"},
        UsageRow{"JobsZero", jobs("0"), "--jobs must be a whole number from 1 to 64, not '0'"},
        UsageRow{"JobsTooMany", jobs("65"), "not '65'"},
        UsageRow{"UnknownOption", QStringList{QStringLiteral("--recursive")} + dpi("300"),
                 "Unknown option 'recursive'"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(CommandLineTest, HelpAndVersionAnswerWithoutConverting) {
    const ProgramRun help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* text : {"--dpi <N>", "--output <DIR>", "--jobs <N>", "SOURCE_DIR", "Exit"})
        EXPECT_TRUE(help.out.contains(text)) << text;
    const ProgramRun version = run({QStringLiteral("--version")});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, QByteArrayLiteral("plenwick " PLENWICK_VERSION "\n"));
}

TEST_F(CommandLineTest, MixedFolderListsEveryFailureAndMakesEveryGoodCopy) {
    const QString in = source() + u'/';
    makePicture(in + QStringLiteral("photo.jpg"), QStringLiteral("jpeg"));
    makePicture(in + QStringLiteral("Scan.TIFF"), QStringLiteral("tiff"));
    makePicture(in + QStringLiteral("alpha.png"), QStringLiteral("png"));
    makePicture(in + QStringLiteral("whole.jpg"), QStringLiteral("jpeg"),
                QStringLiteral("600x400"));
    QFile whole(in + QStringLiteral("whole.jpg"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QFile truncated(in + QStringLiteral("truncated.jpg"));
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
    truncated.write(whole.readAll().left(whole.size() / 2));
    truncated.close();
    QFile text(in + QStringLiteral("x.png"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture\n");
    text.close();
    ASSERT_TRUE(QFile(in + QStringLiteral("empty.tif")).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir(source()).mkdir(QStringLiteral("folder.jpg")));
    ASSERT_TRUE(QFile(in + QStringLiteral("notes.txt")).open(QIODevice::WriteOnly));
    const QByteArray sourceBefore = digest(in + QStringLiteral("photo.jpg"));

    const ProgramRun result = run({QStringLiteral("--dpi"), QStringLiteral("1234"),
                                   QStringLiteral("--output"), output(), source()});

    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(result.err.startsWith("plenwick: 3 of 7 pictures not converted:\n"))
        << result.err.toStdString();
    const QList<QByteArray> failures = result.err.split('\n').mid(1, 3);
    QStringList failed;
    for (const QByteArray& line : failures) {
        const QList<QByteArray> parts = line.trimmed().split(':');
        failed << QString::fromUtf8(parts.value(0));
        EXPECT_FALSE(parts.value(1).trimmed().isEmpty()) << "no reason in " << line.toStdString();
    }
    failed.sort();
    EXPECT_EQ(failed, (QStringList{QStringLiteral("empty.tif"), QStringLiteral("truncated.jpg"),
                                   QStringLiteral("x.png")}));
    EXPECT_EQ(result.out.count('\n'), 7) << "one line per picture:\n" << result.out.toStdString();
    EXPECT_EQ(entries(output()),
              (QStringList{QStringLiteral("Scan.TIFF"), QStringLiteral("alpha.png"),
                           QStringLiteral("photo.jpg"), QStringLiteral("whole.jpg")}));
    for (const QString& copy : entries(output()))
        EXPECT_EQ(resolution(output() + u'/' + copy), QStringLiteral("1234 1234"))
            << copy.toStdString();
    EXPECT_EQ(digest(in + QStringLiteral("photo.jpg")), sourceBefore);
    EXPECT_EQ(entries(path(QStringLiteral("config"))), QStringList());
    EXPECT_EQ(entries(path(QStringLiteral("home"))), QStringList());
}

TEST_F(CommandLineTest, HostileNamesAreCopiedAndNeverRun) {
    const QStringList names = {QStringLiteral("a\\$(touch dollar).jpg"),
                               QStringLiteral("a`touch backquote`.png"),
                               QStringLiteral("a\"b'c.jpg"),
                               QStringLiteral("new\nline.jpg"),
                               QStringLiteral("ends in\\.tif"),
                               QStringLiteral("-rf $HOME;.png"),
                               QStringLiteral("\x1b[2Jclear.jpg"),
                               QStringLiteral("100%1 %2 sure.jpg")};
    for (const QString& name : names)
        makePicture(source() + u'/' + name,
                    name.endsWith(u"jpg") ? QStringLiteral("jpeg") : QStringLiteral("png"));

    const ProgramRun result = run({QStringLiteral("--dpi"), QStringLiteral("300"),
                                   QStringLiteral("--output"), output(), source()});

    EXPECT_EQ(result.exitStatus, 0) << result.err.toStdString();
    EXPECT_EQ(entries(path(QStringLiteral("work"))), QStringList()) << "a name was run";
    EXPECT_EQ(entries(path(QStringLiteral("home"))), QStringList()) << "a name was run";
    QStringList expected = names;
    expected.sort();
    EXPECT_EQ(entries(output()), expected);
    // One line per picture plus the summary: no name breaks a line or reaches the terminal raw.
    EXPECT_EQ(result.out.count('\n'), names.size() + 1) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains("new\\nline.jpg"));
    EXPECT_TRUE(result.out.contains("100%1 %2 sure.jpg")) << "a name read as a format";
    EXPECT_FALSE(result.out.contains('\x1b'));
}

TEST_F(CommandLineTest, OneJobAndSeveralMakeTheSameCopies) {
    for (const char* name : {"dup.jpg", "dup.JPG", "dup.jpeg", "b.png", "c.tif", "d.jpg", "e.png"})
        makePicture(source() + u'/' + QString::fromLatin1(name),
                    QString::fromLatin1(name).contains(u'j') ? QStringLiteral("jpeg")
                                                             : QStringLiteral("png"));
    std::vector<std::map<QString, QByteArray>> copies;
    std::vector<QByteArray> errors;
    for (const char* count : {"1", "3"}) {
        const QString out = path(QStringLiteral("jobs") + QString::fromLatin1(count));
        ASSERT_TRUE(QDir().mkdir(out));
        const ProgramRun result =
            run({QStringLiteral("--jobs"), QString::fromLatin1(count), QStringLiteral("--dpi"),
                 QStringLiteral("96"), QStringLiteral("--output"), out, source()});
        EXPECT_EQ(result.exitStatus, 1) << "two pictures share dup.jpg";
        errors.push_back(result.err);
        std::map<QString, QByteArray> files;
        for (const QString& copy : entries(out))
            files.emplace(copy, digest(out + u'/' + copy));
        copies.push_back(files);
    }
    EXPECT_EQ(copies[0].size(), 5U);
    EXPECT_EQ(copies[0], copies[1]);
    EXPECT_EQ(errors[0], errors[1]);
    EXPECT_TRUE(errors[0].contains("2 of 7 pictures not converted")) << errors[0].toStdString();
}

TEST_F(CommandLineTest, TerminalShowsABarWithCountNameAndTimeLeft) {
    for (int i = 1; i <= 4; ++i)
        makePicture(source() + QStringLiteral("/p%1.png").arg(i), QStringLiteral("png"),
                    QStringLiteral("800x600"));
    // script(1) gives the program a pseudo-terminal 100 columns wide as its standard output.
    QProcess terminal;
    terminal.setEnvironment(environment());
    terminal.start(QStringLiteral("script"),
                   {QStringLiteral("--quiet"), QStringLiteral("--return"),
                    QStringLiteral("--command"),
                    QStringLiteral("stty cols 100; exec '%1' --jobs 1 --dpi 150 --output '%2' '%3'")
                        .arg(QStringLiteral(PLENWICK_EXECUTABLE), output(), source()),
                    QStringLiteral("/dev/null")});
    ASSERT_TRUE(terminal.waitForFinished(60000));
    const QByteArray shown = terminal.readAllStandardOutput();
    EXPECT_EQ(terminal.exitCode(), 0) << shown.toStdString();

    EXPECT_TRUE(shown.contains("\r\x1b[K[")) << "drawn in place";
    EXPECT_TRUE(shown.contains("] Converting 1 of 4: p")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("] Converting 4 of 4: p"));
    EXPECT_TRUE(shown.contains("left)")) << "time left once the first pictures are done";
    EXPECT_TRUE(shown.contains("[######..................]"));
    for (const QByteArray& line : shown.split('\r'))
        EXPECT_LT(line.size(), 100 + 4) << "wider than the terminal";
    EXPECT_EQ(entries(output()).size(), 4);
}

TEST_F(CommandLineTest, TerminatedRunLeavesNoScratchFileAndStartsNothingMore) {
    for (int i = 1; i <= 6; ++i)
        makePicture(source() + QStringLiteral("/big%1.png").arg(i), QStringLiteral("png"),
                    QStringLiteral("2000x1500"));
    QProcess program;
    program.setEnvironment(environment());
    program.setWorkingDirectory(path(QStringLiteral("work")));
    program.start(QStringLiteral(PLENWICK_EXECUTABLE),
                  {QStringLiteral("--jobs"), QStringLiteral("2"), QStringLiteral("--dpi"),
                   QStringLiteral("300"), QStringLiteral("--output"), output(), source()});
    ASSERT_TRUE(program.waitForReadyRead(60000)) << "the first picture never ended";
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(30000));

    EXPECT_EQ(program.exitCode(), 128 + SIGTERM) << program.readAllStandardError().toStdString();
    EXPECT_TRUE(program.readAllStandardError().contains("interrupted"));
    const QStringList left = entries(output());
    EXPECT_LT(left.size(), 6);
    for (const QString& entry : left) {
        EXPECT_FALSE(entry.startsWith(u'.')) << "scratch file left: " << entry.toStdString();
        EXPECT_EQ(resolution(output() + u'/' + entry), QStringLiteral("300 300"))
            << "a copy left half done: " << entry.toStdString();
    }
}

TEST_F(CommandLineTest, ClosedOutputPipeEndsTheRunCleanly) {
    for (int i = 1; i <= 5; ++i)
        makePicture(source() + QStringLiteral("/p%1.png").arg(i), QStringLiteral("png"),
                    QStringLiteral("1600x1200"));
    QProcess pipeline;
    pipeline.setEnvironment(environment());
    pipeline.start(QStringLiteral("bash"),
                   {QStringLiteral("-c"),
                    QStringLiteral("\"$0\" --jobs 1 --dpi 300 --output \"$1\" \"$2\" | head -n 1 "
                                   ">/dev/null; echo \"${PIPESTATUS[0]}\""),
                    QStringLiteral(PLENWICK_EXECUTABLE), output(), source()});
    ASSERT_TRUE(pipeline.waitForFinished(60000));
    EXPECT_EQ(pipeline.readAllStandardOutput().trimmed(), QByteArray::number(128 + SIGPIPE));
    const QStringList left = entries(output());
    EXPECT_LT(left.size(), 5) << "went on converting for nobody";
    for (const QString& entry : left)
        EXPECT_FALSE(entry.startsWith(u'.')) << "scratch file left: " << entry.toStdString();
}

} // namespace
} // namespace plenwick::test
