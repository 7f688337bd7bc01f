#include "programtest.h"
#include "runningprocesses.h"
#include "testpictures.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <csignal>
#include <vector>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

// A source and an output folder beside the program's scratch folders.
class CliRunTest : public ProgramTest {
protected:
    [[nodiscard]] QString source() const { return path(u"source"_s); }
    [[nodiscard]] QString output() const { return path(u"output"_s); }

    void SetUp() override {
        ProgramTest::SetUp();
        for (const char* folder : {"source", "output"})
            ASSERT_TRUE(QDir(root.path()).mkdir(QString::fromLatin1(folder)));
    }
};

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

class UsageErrorTest : public CliRunTest, public ::testing::WithParamInterface<UsageRow> {};

TEST_P(UsageErrorTest, SaysWhatIsWrongAndDoesNothing) {
    makePicture(source() + u"/photo.jpg"_s, u"jpeg"_s);
    ASSERT_TRUE(QFile(path(u"a file"_s)).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(source(), path(u"link to source"_s)));
    ASSERT_TRUE(QFile::link(path(u"nowhere"_s), path(u"dangling"_s)));
    QStringList arguments = GetParam().arguments;
    for (QString& argument : arguments) {
        argument.replace(u"SRC"_s, source());
        argument.replace(u"OUT"_s, output());
        argument.replace(u"ROOT"_s, root.path());
    }
    const ProgramRun result = run(arguments);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_TRUE(result.err.contains(GetParam().message)) << result.err.toStdString();
    EXPECT_TRUE(result.err.endsWith("Try 'plenwick --help'.\n")) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_EQ(entries(output()), QStringList());
    EXPECT_EQ(entries(source()), QStringList{u"photo.jpg"_s});
    EXPECT_FALSE(QFileInfo::exists(path(u"nowhere"_s))) << "a link's target made";
}

const auto dpi = [](const char* value) {
    return QStringList{u"--dpi"_s, QString::fromLatin1(value), u"--output"_s, u"OUT"_s, u"SRC"_s};
};
const auto jobs = [](const char* value) {
    return QStringList{u"--jobs"_s, QString::fromLatin1(value)} + dpi("300");
};
const auto folders = [](const char* output, const char* source) {
    return QStringList{u"--dpi"_s, u"300"_s, u"--output"_s, QString::fromUtf8(output),
                       QString::fromUtf8(source)};
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
        UsageRow{"DpiTwice", QStringList{u"--dpi=72"_s} + dpi("300"),
                 "--dpi is given more than once"},
        UsageRow{"OutputMissing", {u"--dpi"_s, u"300"_s, u"SRC"_s}, "--output is missing"},
        UsageRow{"OutputIsAFile", folders("ROOT/a file", "SRC"), "is not a folder"},
        UsageRow{"OutputEmpty", folders("", "SRC"), "the output folder  does not exist"},
        UsageRow{"OutputADanglingLink", folders("ROOT/dangling", "SRC"), "does not exist"},
        UsageRow{"SourceNotThere", folders("OUT", "ROOT/none"), "/none does not exist"},
        UsageRow{"SourceMissing", folders("OUT", "SRC").mid(0, 4), "SOURCE is missing"},
        UsageRow{"OutputAmongSources", folders("OUT", "SRC") << u"OUT"_s,
                 "the output folder is the source folder"},
        UsageRow{"SameFolder", folders("SRC", "SRC"), "the output folder is the source folder"},
        UsageRow{"SameFolderThroughLink", folders("ROOT/link to source", "SRC"),
                 "the output folder is the source folder"},
        UsageRow{"SameFolderWithDots", folders("ROOT/source/../source/", "SRC"),
                 "the output folder is the source folder"},
        UsageRow{"JobsZero", jobs("0"), "--jobs must be a whole number from 1 to 64, not '0'"},
        UsageRow{"JobsTooMany", jobs("65"), "not '65'"},
        UsageRow{"UnknownOption", QStringList{u"--recurse"_s} + dpi("300"),
                 "Unknown option 'recurse'"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(CliRunTest, HelpAndVersionAnswerWithoutConverting) {
    const ProgramRun help = run({u"--help"_s});
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* text : {"--dpi <N>", "--output <DIR>", "--jobs <N>", "SOURCE...", "Exit",
                             "--recursive", "--skip-existing", "--dry-run", "--verbose",
                             "plenwick --dry-run --recursive --dpi 300", "b.tif photos/"})
        EXPECT_TRUE(help.out.contains(text)) << text;
    EXPECT_TRUE(help.out.contains("--help-all")) << "Qt's help offers it";
    const ProgramRun all = run({u"--help-all"_s});
    EXPECT_EQ(all.exitStatus, 0) << all.err.toStdString();
    EXPECT_TRUE(all.out.startsWith(help.out)) << all.out.toStdString();
    for (const char* text : {"-platform <", "-style <", "-reverse"})
        EXPECT_TRUE(all.out.contains(text)) << text;
    const ProgramRun version = run({u"--version"_s});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, QByteArrayLiteral("plenwick " PLENWICK_VERSION "\n"));
}

// One job or several: the same copies and the same report. photo.jpg and photo.JPEG share a copy
// name; the first listed keeps it.
TEST_F(CliRunTest, MixedFolderListsEveryFailureAndMakesEveryGoodCopy) {
    const QString in = source() + u'/';
    for (const char* name : {"photo.jpg", "photo.JPEG", "Scan.TIFF", "alpha.png"})
        makePicture(in + QString::fromLatin1(name),
                    QString::fromLatin1(name).contains(u'j') ? u"jpeg"_s : u"png"_s);
    makeTruncatedJpeg(in + u"truncated.jpg"_s);
    writeText(in + u"x.png"_s);
    writeText(in + u"empty.tif"_s, {});
    ASSERT_TRUE(QDir(source()).mkdir(u"folder.jpg"_s));
    writeText(in + u"notes.txt"_s);
    const QByteArray sourceBefore = digest(in + u"photo.jpg"_s);
    std::vector<std::map<QString, QByteArray>> copies;
    std::vector<ProgramRun> results;
    for (const char* count : {"1", "3"}) {
        const QString out = path(u"jobs"_s + QString::fromLatin1(count));
        ASSERT_TRUE(QDir().mkdir(out));
        results.push_back(run({u"--jobs"_s, QString::fromLatin1(count), u"--dpi"_s, u"1234"_s,
                               u"--output"_s, out, source()}));
        std::map<QString, QByteArray> files;
        for (const QString& copy : entries(out))
            files.emplace(copy, digest(out + u'/' + copy));
        copies.push_back(files);
    }

    const ProgramRun& result = results.front();
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(result.err.startsWith("plenwick: 4 of 7 pictures not converted:\n"))
        << result.err.toStdString();
    QStringList failed;
    for (const QByteArray& line : result.err.split('\n').mid(1, 4)) {
        const QList<QByteArray> parts = line.trimmed().split(':');
        failed << QString::fromUtf8(parts.value(0));
        EXPECT_FALSE(parts.value(1).trimmed().isEmpty()) << "no reason in " << line.toStdString();
    }
    failed.sort();
    EXPECT_EQ(failed.mid(0, 1) + failed.mid(2),
              (QStringList{u"empty.tif"_s, u"truncated.jpg"_s, u"x.png"_s}));
    EXPECT_TRUE(failed.value(1).startsWith(u"photo."_s)) << failed.join(u' ').toStdString();
    EXPECT_EQ(result.out.count('\n'), 7) << "one line per picture:\n" << result.out.toStdString();
    const QString out = path(u"jobs1"_s);
    EXPECT_EQ(entries(out), (QStringList{u"Scan.TIFF"_s, u"alpha.png"_s, u"photo.jpg"_s}));
    for (const QString& copy : entries(out))
        EXPECT_EQ(resolution(out + u'/' + copy), u"1234 1234"_s) << copy.toStdString();
    EXPECT_EQ(digest(in + u"photo.jpg"_s), sourceBefore);
    EXPECT_EQ(entries(path(u"config"_s)), QStringList());
    EXPECT_EQ(entries(path(u"home"_s)), QStringList());
    EXPECT_EQ(copies.front(), copies.back());
    EXPECT_EQ(result.err, results.back().err);
}

// Qt's own options open the window, which writes its first-launch settings (the startup notice,
// which would hold it first, is turned off); without a display for it, one line says how to
// convert instead of Qt's abort.
TEST_F(CliRunTest, QtOptionsAloneOpenTheWindowAndNoDisplayIsSaidPlainly) {
    ASSERT_TRUE(QDir().mkpath(path(u"config/plenwick"_s)));
    const QString settings = path(u"config/plenwick/plenwick.ini"_s);
    writeText(settings, "[General]\niStatement=1\n");
    const auto firstLaunchWritten = [&settings] {
        QFile file(settings);
        return file.open(QIODevice::ReadOnly) && file.readAll().contains("firstTime");
    };
    QProcess window;
    window.setEnvironment(environment());
    window.start(QStringLiteral(PLENWICK_EXECUTABLE),
                 {u"-platform"_s, u"offscreen"_s, u"-qwindowtitle"_s, u"Plenwick"_s});
    ASSERT_TRUE(window.waitForStarted());
    for (int poll = 0; poll < 1200 && !firstLaunchWritten(); ++poll) {
        if (window.waitForFinished(50))
            break; // taken as a command line: it ended
    }
    EXPECT_TRUE(firstLaunchWritten()) << window.readAllStandardError().toStdString();
    window.kill();
    window.waitForFinished();

    for (const QStringList& arguments : {QStringList{}, QStringList{u"-platform"_s, u"xcb"_s}}) {
        const ProgramRun result = run(arguments);
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_EQ(result.err.count('\n'), 1) << result.err.toStdString();
        EXPECT_TRUE(result.err.startsWith("plenwick: ") && result.err.contains("--dpi"))
            << result.err.toStdString();
    }
}

TEST_F(CliRunTest, MissingOutputFolderIsMadeWithItsParentsAndSaidSo) {
    makePicture(source() + u"/photo.jpg"_s, u"jpeg"_s);
    const QString made = path(u"new/and deeper"_s);
    const ProgramRun result = run({u"--dpi"_s, u"300"_s, u"--output"_s, made, source()});
    EXPECT_EQ(result.exitStatus, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(
        QByteArray("Created the output folder " + QFile::encodeName(made) + '\n')))
        << result.out.toStdString();
    EXPECT_TRUE(result.out.endsWith(
        QByteArray("1 picture converted into " + QFile::encodeName(made) + '\n')))
        << result.out.toStdString();
    EXPECT_EQ(entries(made), QStringList{u"photo.jpg"_s});

    writeText(path(u"a file"_s));
    const ProgramRun underAFile =
        run({u"--dpi"_s, u"300"_s, u"--output"_s, path(u"a file/copies"_s), source()});
    EXPECT_EQ(underAFile.exitStatus, 1);
    EXPECT_TRUE(underAFile.err.startsWith("plenwick: cannot create the output folder "))
        << underAFile.err.toStdString();
}

// A picture converted with a warning of the tool is converted: its note is printed and counted,
// and the exit status stays 0.
TEST_F(CliRunTest, NotesArePrintedAndCountedAndTheRunStillSucceeds) {
    makeJpegWithUnreadableExif(source() + u"/camera\u202e.jpg"_s);
    makePicture(source() + u"/plain.png"_s, u"png"_s);
    const ProgramRun result = run({u"--dpi"_s, u"300"_s, u"--output"_s, output(), source()});
    EXPECT_EQ(result.exitStatus, 0) << result.err.toStdString();
    const QList<QByteArray> notes = result.err.split('\n');
    ASSERT_EQ(notes.size(), 2) << "one note, said once:\n" << result.err.toStdString();
    EXPECT_TRUE(notes.front().startsWith("camera\\u202e.jpg: note: ")) << result.err.toStdString();
    EXPECT_FALSE(notes.front().contains(QFile::encodeName(output())) ||
                 notes.front().contains("/proc/") || notes.front().contains("sips") ||
                 notes.front().contains(".plenwick-"))
        << result.err.toStdString();
    EXPECT_TRUE(result.out.endsWith(QByteArray("2 pictures converted into " +
                                               QFile::encodeName(output()) + ", 1 with a note\n")))
        << result.out.toStdString();
    EXPECT_EQ(resolution(output() + u"/camera\u202e.jpg"_s), u"300 300"_s);
}

TEST_F(CliRunTest, HostileNamesAreCopiedAndNeverRun) {
    const QStringList names = {
        u"a\\$(touch dollar).jpg"_s, u"a`touch backquote`.png"_s, u"a\"b'c.jpg"_s,
        u"new\nline.jpg"_s,          u"ends in\\.tif"_s,          u"-rf $HOME;.png"_s,
        u"\x1b[2Jclear.jpg"_s,       u"100%1 %2 sure.jpg"_s};
    for (const QString& name : names)
        makePicture(source() + u'/' + name, name.endsWith(u"jpg") ? u"jpeg"_s : u"png"_s);

    const ProgramRun result = run({u"--dpi"_s, u"300"_s, u"--output"_s, output(), source()});

    EXPECT_EQ(result.exitStatus, 0) << result.err.toStdString();
    EXPECT_EQ(entries(path(u"work"_s)), QStringList()) << "a name was run";
    EXPECT_EQ(entries(path(u"home"_s)), QStringList()) << "a name was run";
    QStringList expected = names;
    expected.sort();
    EXPECT_EQ(entries(output()), expected);
    // One line per picture plus the summary: no name breaks a line or reaches the terminal raw.
    EXPECT_EQ(result.out.count('\n'), names.size() + 1) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains("new\\nline.jpg"));
    EXPECT_TRUE(result.out.contains("100%1 %2 sure.jpg")) << "a name read as a format";
    EXPECT_FALSE(result.out.contains('\x1b'));
}

TEST_F(CliRunTest, TerminalShowsABarWithCountNameAndTimeLeft) {
    for (int i = 1; i <= 4; ++i)
        makePicture(source() + u"/p%1.png"_s.arg(i), u"png"_s, u"800x600"_s);
    // script(1) gives the program a pseudo-terminal 100 columns wide as its standard output.
    QProcess terminal;
    terminal.setEnvironment(environment());
    terminal.start(u"script"_s,
                   {u"--quiet"_s, u"--return"_s, u"--command"_s,
                    u"stty cols 100; exec '%1' --jobs 1 --dpi 150 --output '%2' '%3'"_s.arg(
                        QStringLiteral(PLENWICK_EXECUTABLE), output(), source()),
                    u"/dev/null"_s});
    ASSERT_TRUE(terminal.waitForFinished(60000));
    const QByteArray shown = terminal.readAllStandardOutput();
    EXPECT_EQ(terminal.exitCode(), 0) << shown.toStdString();

    EXPECT_TRUE(shown.contains("\r\x1b[K[")) << "drawn in place";
    EXPECT_TRUE(shown.contains("] Converting 1 of 4: p")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("] Converting 4 of 4: p"));
    EXPECT_TRUE(shown.contains(" s left")) << "time left once the first pictures are done";
    EXPECT_TRUE(shown.contains("[######..................]"));
    for (const QByteArray& line : shown.split('\r'))
        EXPECT_LT(line.size(), 100 + 4) << "wider than the terminal";
    EXPECT_EQ(entries(output()).size(), 4);
}

TEST_F(CliRunTest, TerminatedRunLeavesNoScratchFileAndStartsNothingMore) {
    for (int i = 1; i <= 6; ++i)
        makePicture(source() + u"/big%1.png"_s.arg(i), u"png"_s, u"2000x1500"_s);
    QProcess program;
    start(program, {u"--jobs"_s, u"2"_s, u"--dpi"_s, u"300"_s, u"--output"_s, output(), source()});
    ASSERT_TRUE(program.waitForReadyRead(60000)) << "the first picture never ended";
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(30000));

    const QByteArray err = program.readAllStandardError();
    EXPECT_EQ(program.exitCode(), 128 + SIGTERM) << err.toStdString();
    EXPECT_TRUE(err.contains("interrupted"));
    const QStringList left = entries(output());
    EXPECT_LT(left.size(), 6);
    for (const QString& entry : left) {
        EXPECT_FALSE(entry.startsWith(u'.')) << "scratch file left: " << entry.toStdString();
        EXPECT_EQ(resolution(output() + u'/' + entry), u"300 300"_s)
            << "a copy left half done: " << entry.toStdString();
    }
    // Every picture counted once: converted, failed as it was stopped, or never started.
    const QRegularExpressionMatch counts =
        QRegularExpression(u"\nplenwick: (\\d+) of 6 pictures converted, (\\d+) "
                           "failed, (\\d+) not started\n$"_s)
            .match(QString::fromUtf8(err));
    ASSERT_TRUE(counts.hasMatch()) << err.toStdString();
    EXPECT_EQ(counts.captured(1).toInt(), left.size());
    EXPECT_EQ(counts.captured(1).toInt() + counts.captured(2).toInt() + counts.captured(3).toInt(),
              6);
    EXPECT_GT(counts.captured(3).toInt(), 0);
    if (counts.captured(2).toInt() > 0) {
        EXPECT_TRUE(err.startsWith(
            QByteArray("plenwick: " + counts.captured(2).toUtf8() + " of 6 pictures failed:\n")))
            << err.toStdString();
    }
}

// Ctrl-C, SIGTERM and SIGHUP end the tool at work at once, rather than waiting for its step: a
// tool held stopped would otherwise be there forever.
TEST_F(CliRunTest, EachInterruptionEndsTheRunningToolAtOnce) {
    makePicture(source() + u"/large.png"_s, u"png"_s, u"3000x2000"_s);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const QString out = path(u"out%1"_s.arg(signal));
        QProcess program;
        start(program, {u"--dpi"_s, u"300"_s, u"--output"_s, out, source()});
        ASSERT_TRUE(program.waitForStarted());
        // The first tool seen at work in the output folder is held where it is. Known by its
        // executable's name: the shell that starts it works there too.
        const auto tools = [&out] {
            std::vector<pid_t> found = processesWorkingIn(out);
            std::erase_if(found, [](pid_t process) {
                QFile name(u"/proc/%1/comm"_s.arg(process));
                return !name.open(QIODevice::ReadOnly) || name.readAll() != "sips\n";
            });
            return found;
        };
        std::vector<pid_t> held;
        for (int poll = 0; poll < 6000 && held.empty(); ++poll) {
            for (const pid_t tool : tools()) {
                if (::kill(tool, SIGSTOP) == 0)
                    held.push_back(tool);
            }
            if (held.empty())
                QThread::msleep(10);
        }
        ASSERT_FALSE(held.empty()) << "no tool seen at work";
        ::kill(static_cast<pid_t>(program.processId()), signal);

        bool gone = false;
        for (int poll = 0; poll < 6000 && !gone; ++poll) {
            gone = tools().empty();
            if (!gone)
                QThread::msleep(10);
        }
        EXPECT_TRUE(gone) << "the tool outlived signal " << signal;
        for (const pid_t tool : held)
            ::kill(tool, SIGKILL); // only when the program failed to end it
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitCode(), 128 + signal) << program.readAllStandardError().toStdString();
        EXPECT_EQ(entries(out), QStringList()) << "nothing of the run stays";
    }
}

TEST_F(CliRunTest, ClosedOutputPipeEndsTheRunCleanly) {
    for (int i = 1; i <= 5; ++i)
        makePicture(source() + u"/p%1.png"_s.arg(i), u"png"_s, u"1600x1200"_s);
    QProcess pipeline;
    pipeline.setEnvironment(environment());
    pipeline.start(u"bash"_s,
                   {u"-c"_s,
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

// Relative folders named like options: the tool is handed paths, which it cannot take for
// options.
TEST_F(CliRunTest, RelativeFoldersNamedLikeOptionsAreFolders) {
    const QDir work(path(u"work"_s));
    ASSERT_TRUE(work.mkdir(u"-photos"_s) && work.mkdir(u"-copies"_s));
    makePicture(work.filePath(u"-photos/a.jpg"_s), u"jpeg"_s);
    makePicture(work.filePath(u"-photos/b.png"_s), u"png"_s);

    const ProgramRun ran =
        run({u"--dpi"_s, u"300"_s, u"--output"_s, u"-copies"_s, u"--"_s, u"-photos"_s});

    EXPECT_EQ(ran.exitStatus, 0) << ran.err.toStdString();
    EXPECT_EQ(entries(work.filePath(u"-copies"_s)), (QStringList{u"a.jpg"_s, u"b.png"_s}));
    for (const QString& name : {u"a.jpg"_s, u"b.png"_s})
        EXPECT_EQ(resolution(work.filePath(u"-copies/"_s + name)), u"300 300"_s);
}

// Whether a process still running names the folder on its command line: the tool of a killed
// run may outlive it, and it names the source folder.
bool toolStillAt(const QString& folder) {
    const QByteArray needle = QFile::encodeName(folder);
    for (const QString& process : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
        QFile commandLine(u"/proc/"_s + process + u"/cmdline"_s);
        if (commandLine.open(QIODevice::ReadOnly) && commandLine.readAll().contains(needle))
            return true;
    }
    return false;
}

// The scratch files of a run killed with SIGKILL are cleared by the next run in that folder.
TEST_F(CliRunTest, NextRunClearsTheScratchFilesOfAKilledRun) {
    makePicture(source() + u"/big.png"_s, u"png"_s, u"3000x2000"_s);
    QProcess program;
    start(program, {u"--jobs"_s, u"1"_s, u"--dpi"_s, u"300"_s, u"--output"_s, output(), source()});
    ASSERT_TRUE(program.waitForStarted());
    while (!entries(output()).join(u' ').contains(u".jp2"_s) &&
           program.state() == QProcess::Running)
        QThread::msleep(5);
    ::kill(static_cast<pid_t>(program.processId()), SIGKILL);
    ASSERT_TRUE(program.waitForFinished(30000));
    // The killed program's tools are not its children any more and may finish their step.
    while (toolStillAt(source()) || !processesWorkingIn(output()).empty())
        QThread::msleep(5);
    ASSERT_FALSE(entries(output()).isEmpty()) << "the killed run left nothing to clear";

    const ProgramRun next = run({u"--dpi"_s, u"300"_s, u"--output"_s, output(), source()});

    EXPECT_EQ(next.exitStatus, 0) << next.err.toStdString();
    EXPECT_EQ(entries(output()), QStringList{u"big.png"_s});
}

// A German user reads German throughout: the help with Qt's own parts, a usage error, the report
// of a run and the message for want of a display. The names and paths stay as they are.
TEST_F(CliRunTest, SpeaksTheUsersLanguage) {
    language = {u"LANG=de_DE.UTF-8"_s, u"LANGUAGE="_s, u"LC_ALL="_s};
    const ProgramRun help = run({u"--help"_s});
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* text :
         {"Optionen:", "Schreibt eine Kopie jedes angegebenen",
          "Einzutragende Auflösung, 1 bis 4000.", "Konvertiert auch die Bilder aller Unterordner",
          "\nBeispiele:\n", "\nExit-Status: 0, wenn"})
        EXPECT_TRUE(help.out.contains(text)) << text << "\n" << help.out.toStdString();

    const ProgramRun usage = run({u"--output"_s, output(), source()});
    EXPECT_EQ(usage.exitStatus, 2);
    EXPECT_EQ(usage.err, "plenwick: --dpi fehlt\nWeitere Informationen mit 'plenwick --help'.\n");

    makePicture(source() + u"/photo.jpg"_s, u"jpeg"_s);
    makeTruncatedJpeg(source() + u"/kaputt.jpg"_s);
    for (const QString& other : {u"/liesmich.txt"_s, u"/foto.webp"_s})
        ASSERT_TRUE(QFile(source() + other).open(QIODevice::WriteOnly));
    const ProgramRun conversion = run({u"--dpi"_s, u"300"_s, u"--output"_s, output(), source()});
    EXPECT_EQ(conversion.exitStatus, 1);
    EXPECT_TRUE(conversion.out.contains(" kaputt.jpg: nicht konvertiert: "))
        << conversion.out.toStdString();
    EXPECT_TRUE(conversion.err.startsWith("plenwick: 1 nicht konvertiert (insgesamt 2 Bilder):\n"
                                          "  kaputt.jpg: "))
        << conversion.err.toStdString();
    EXPECT_TRUE(
        conversion.err.endsWith("2 Dateien wurden übergangen: ihre Namen sind nicht die von JPEG-, "
                                "PNG- oder TIFF-Bildern.\n"
                                "Mit --verbose wird jeder einzeln mit Grund genannt.\n"
                                "plenwick: 1 konvertiert (insgesamt 2 Bilder), 1 fehlgeschlagen\n"))
        << conversion.err.toStdString();
    EXPECT_EQ(resolution(output() + u"/photo.jpg"_s), u"300 300"_s);

    const ProgramRun noDisplay = run({});
    EXPECT_EQ(noDisplay.exitStatus, 2);
    EXPECT_TRUE(noDisplay.err.startsWith("plenwick: kein Display, auf dem sich das Fenster"))
        << noDisplay.err.toStdString();
}

// A program neither installed nor in the build tree has no catalogues: it speaks English, and
// never takes one from the folder it runs in.
TEST_F(CliRunTest, TakesNoCatalogueFromTheWorkingFolder) {
    language = {u"LANG=de_DE.UTF-8"_s, u"LANGUAGE="_s, u"LC_ALL="_s};
    const QString program = path(u"elsewhere/plenwick"_s);
    ASSERT_TRUE(QDir().mkpath(path(u"elsewhere"_s)));
    ASSERT_TRUE(QFile::copy(QStringLiteral(PLENWICK_EXECUTABLE), program));
    ASSERT_TRUE(QFile::copy(QStringLiteral(PLENWICK_TRANSLATIONS "/plenwick_de.qm"),
                            path(u"work/plenwick_de.qm"_s)));
    QProcess copy;
    copy.setEnvironment(environment());
    copy.setWorkingDirectory(path(u"work"_s));
    copy.start(program, {u"--output"_s, output(), source()});
    ASSERT_TRUE(copy.waitForFinished(60000));
    EXPECT_EQ(copy.readAllStandardError(), "plenwick: --dpi is missing\nTry 'plenwick --help'.\n");
}

} // namespace
} // namespace plenwick::test
