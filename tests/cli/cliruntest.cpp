#include "programtest.h"
#include "runningprocesses.h"
#include "testpictures.h"

#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <csignal>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

// A source and an output folder beside the program's scratch folders.
class CliRunTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(QDir().mkdir(source) && QDir().mkdir(output));
    }

    // Converts the source folder into the output folder at 300 DPI, with these options first.
    [[nodiscard]] ProgramRun convert(const QStringList& options = {}) const {
        return run(options + QStringList{u"--dpi"_s, u"300"_s, u"--output"_s, output, source});
    }

    const QString source = path(u"source"_s);
    const QString output = path(u"output"_s);
};

struct UsageRow final {
    const char* arguments; // split at spaces; SRC, OUT and ROOT stand for the test's folders
    const char* message;
};

void PrintTo(const UsageRow& row, std::ostream* out) {
    *out << row.arguments;
}

class UsageErrorTest : public CliRunTest, public ::testing::WithParamInterface<UsageRow> {};

TEST_P(UsageErrorTest, SaysWhatIsWrongAndDoesNothing) {
    makePicture(source + u"/photo.jpg"_s, u"jpeg"_s);
    writeText(path(u"file"_s));
    ASSERT_TRUE(QFile::link(source, path(u"link"_s)));
    ASSERT_TRUE(QFile::link(path(u"nowhere"_s), path(u"dangling"_s)));
    QStringList arguments = QString::fromUtf8(GetParam().arguments).split(u' ');
    arguments.replaceInStrings(QRegularExpression(u"^SRC"_s), source)
        .replaceInStrings(QRegularExpression(u"^OUT"_s), output)
        .replaceInStrings(QRegularExpression(u"^ROOT"_s), root.path());
    const ProgramRun result = run(arguments);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_THAT(result.err, HasSubstr(GetParam().message));
    EXPECT_THAT(result.err, EndsWith("Try 'plenwick --help'.\n"));
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(entries(output), QStringList());
    EXPECT_EQ(entries(source), QStringList{u"photo.jpg"_s});
    EXPECT_FALSE(QFileInfo::exists(path(u"nowhere"_s))) << "a link's target made";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, UsageErrorTest, ::testing::Values(
    UsageRow{"--dpi 0 --output OUT SRC", "a whole number from 1 to 4000, not '0'"},
    UsageRow{"--dpi 4001 --output OUT SRC", "not '4001'"},
    UsageRow{"--dpi 9223372036854775808 --output OUT SRC", "not '9223372036854775808'"},
    UsageRow{"--dpi +300 --output OUT SRC", "not '+300'"},
    UsageRow{"--dpi 300dpi --output OUT SRC", "not '300dpi'"},
    UsageRow{"--output OUT SRC", "--dpi is missing"},
    UsageRow{"--dpi=72 --dpi 300 --output OUT SRC", "--dpi is given more than once"},
    UsageRow{"--dpi 300 SRC", "--output is missing"},
    UsageRow{"--dpi 300 --output ROOT/file SRC", "is not a folder"},
    UsageRow{"--dpi 300 --output= SRC", "the output folder  does not exist"},
    UsageRow{"--dpi 300 --output ROOT/dangling SRC", "/dangling does not exist"},
    UsageRow{"--dpi 300 --output OUT ROOT/none", "/none does not exist"},
    UsageRow{"--dpi 300 --output OUT", "SOURCE is missing"},
    UsageRow{"--dpi 300 --output OUT SRC OUT", "the output folder is the source folder"},
    UsageRow{"--dpi 300 --output SRC SRC", "the output folder is the source folder"},
    UsageRow{"--dpi 300 --output ROOT/link SRC", "the output folder is the source folder"},
    UsageRow{"--jobs 0 --dpi 300 --output OUT SRC", "--jobs must be a whole number from 1 to 64"},
    UsageRow{"--jobs 65 --dpi 300 --output OUT SRC", "not '65'"},
    UsageRow{"--recurse --dpi 300 --output OUT SRC", "Unknown option 'recurse'"}));
// clang-format on

TEST_F(CliRunTest, HelpAndVersionAnswerWithoutConverting) {
    const ProgramRun help = run({u"--help"_s});
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* text :
         {"--dpi <N>", "--output <DIR>", "--jobs <N>", "SOURCE...", "--recursive",
          "--skip-existing", "--dry-run", "--verbose", "--help-all"})
        EXPECT_THAT(help.out, HasSubstr(text));
    const ProgramRun all = run({u"--help-all"_s});
    EXPECT_EQ(all.exitStatus, 0);
    EXPECT_THAT(all.out, StartsWith(help.out));
    EXPECT_THAT(all.out, HasSubstr("-platform <"));
    const ProgramRun version = run({u"--version"_s});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, "plenwick " PLENWICK_VERSION "\n");
}

// Every failure listed with its reason, every good copy made, a warning of the tool printed and
// counted, and no name ever run by a shell or printed raw. photo.jpg and photo.JPEG share a copy
// name; the first listed keeps it. The missing output folder is made with its parents, and
// relative folders named like options are folders: the tool is handed paths.
TEST_F(CliRunTest, MixedFolderListsEveryFailureAndMakesEveryGoodCopy) {
    const QDir photos(path(u"work/-photos"_s));
    ASSERT_TRUE(photos.mkpath(u"folder.jpg"_s));
    const QStringList copies{
        u"\x1b[2J100%1 %2.jpg"_s, u"$(touch dollar).jpg"_s, u"Scan.TIFF"_s, u"alpha.png"_s,
        u"camera\u202e.jpg"_s,    u"new\nline.png"_s,       u"photo.jpg"_s};
    for (const QString& name : copies + QStringList{u"photo.JPEG"_s})
        makePicture(photos.filePath(name), name.contains(u'j') ? u"jpeg"_s : u"png"_s);
    makeJpegWithUnreadableExif(photos.filePath(u"camera\u202e.jpg"_s));
    makeTruncatedJpeg(photos.filePath(u"truncated.jpg"_s));
    writeText(photos.filePath(u"notes.txt"_s));

    const ProgramRun result =
        run({u"--dpi"_s, u"1234"_s, u"--output"_s, u"-new/deeper"_s, u"--"_s, u"-photos"_s});

    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_THAT(result.err, StartsWith("plenwick: 2 of 9 pictures not converted:\n"));
    for (const char* failure :
         {"\n  truncated\\.jpg: [a-z]", "\n  photo\\.(jpg|JPEG): its copy photo",
          "\ncamera\\\\u202e\\.jpg: note: [^/\n]+\n"})
        EXPECT_THAT(result.err, ::testing::ContainsRegex(failure));
    EXPECT_THAT(result.err, ::testing::Not(HasSubstr(".plenwick-")));
    EXPECT_THAT(result.err,
                EndsWith("plenwick: 7 of 9 pictures converted, 1 with a note, 2 failed\n"));
    EXPECT_THAT(result.out, StartsWith("Created the output folder -new/deeper\n"));
    EXPECT_EQ(std::ranges::count(result.out, '\n'), 1 + 9) << "one line per picture:\n"
                                                           << result.out;
    EXPECT_THAT(result.out, HasSubstr(" new\\nline.png\n"));
    EXPECT_THAT(result.out, HasSubstr(" \\x1b[2J100%1 %2.jpg\n"));
    const QDir made(path(u"work/-new/deeper"_s));
    EXPECT_EQ(entries(made.path()), copies);
    for (const QString& copy : copies)
        EXPECT_EQ(resolution(made.filePath(copy)), u"1234 1234"_s) << copy.toStdString();
    EXPECT_EQ(entries(path(u"config"_s)) + entries(path(u"home"_s)), QStringList());

    writeText(path(u"a file"_s));
    const ProgramRun underAFile =
        run({u"--dpi"_s, u"300"_s, u"--output"_s, path(u"a file/copies"_s), source});
    EXPECT_EQ(underAFile.exitStatus, 1);
    EXPECT_THAT(underAFile.err, StartsWith("plenwick: cannot create the output folder "));
}

TEST_F(CliRunTest, TerminalShowsABarWithCountNameAndTimeLeft) {
    for (int i = 1; i <= 4; ++i)
        makePicture(source + u"/p%1.png"_s.arg(i), u"png"_s, u"800x600"_s);
    // script(1) gives the program a pseudo-terminal 100 columns wide as its standard output.
    QProcess terminal;
    terminal.setEnvironment(environment());
    terminal.start(u"script"_s,
                   {u"--quiet"_s, u"--return"_s, u"--command"_s,
                    u"stty cols 100; exec '%1' --jobs 1 --dpi 150 --output '%2' '%3'"_s.arg(
                        QStringLiteral(PLENWICK_EXECUTABLE), output, source),
                    u"/dev/null"_s});
    ASSERT_TRUE(terminal.waitForFinished(60000));
    const std::string shown = terminal.readAllStandardOutput().toStdString();
    EXPECT_EQ(terminal.exitCode(), 0) << shown;

    for (const char* text : {"\r\x1b[K[", "] Converting 1 of 4: p", "] Converting 4 of 4: p",
                             " s left", "[######..................]"})
        EXPECT_THAT(shown, HasSubstr(text));
    for (const QByteArray& line : QByteArray::fromStdString(shown).split('\r'))
        EXPECT_LT(line.size(), 100 + 4) << "wider than the terminal";
    EXPECT_EQ(entries(output).size(), 4);
}

// Ctrl-C, SIGTERM and SIGHUP end the tool at work at once rather than waiting for its step (a tool
// held stopped would be there forever), start no other picture, and leave nothing of the run.
TEST_F(CliRunTest, EachInterruptionEndsTheRunningToolAtOnce) {
    for (const QString& name : {u"/large1.png"_s, u"/large2.png"_s})
        makePicture(source + name, u"png"_s, u"3000x2000"_s);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const QString out = path(u"out%1"_s.arg(signal));
        QProcess program;
        start(program, {u"--jobs"_s, u"1"_s, u"--dpi"_s, u"300"_s, u"--output"_s, out, source});
        // Known by its executable's name: the shell that starts the tool works there too.
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
            QThread::msleep(10);
        }
        ASSERT_FALSE(held.empty()) << "no tool seen at work";
        ::kill(static_cast<pid_t>(program.processId()), signal);

        for (int poll = 0; poll < 6000 && !tools().empty(); ++poll)
            QThread::msleep(10);
        EXPECT_TRUE(tools().empty()) << "the tool outlived signal " << signal;
        for (const pid_t tool : held)
            ::kill(tool, SIGKILL); // only when the program failed to end it
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitCode(), 128 + signal);
        EXPECT_THAT(program.readAllStandardError().toStdString(),
                    EndsWith("plenwick: interrupted; no further picture started\n"
                             "plenwick: 0 of 2 pictures converted, 1 failed, 1 not started\n"));
        EXPECT_EQ(entries(out), QStringList()) << "nothing of the run stays";
    }
}

TEST_F(CliRunTest, ClosedOutputPipeEndsTheRunCleanly) {
    for (int i = 1; i <= 5; ++i)
        makePicture(source + u"/p%1.png"_s.arg(i), u"png"_s, u"1600x1200"_s);
    QProcess pipeline;
    pipeline.setEnvironment(environment());
    pipeline.start(u"bash"_s,
                   {u"-c"_s,
                    u"\"$0\" --jobs 1 --dpi 300 --output \"$1\" \"$2\" | head -n 1 >/dev/null; "
                    "echo \"${PIPESTATUS[0]}\""_s,
                    QStringLiteral(PLENWICK_EXECUTABLE), output, source});
    ASSERT_TRUE(pipeline.waitForFinished(60000));
    EXPECT_EQ(pipeline.readAllStandardOutput().trimmed(), QByteArray::number(128 + SIGPIPE));
    const QStringList left = entries(output);
    EXPECT_LT(left.size(), 5) << "went on converting for nobody";
    for (const QString& entry : left)
        EXPECT_FALSE(entry.startsWith(u'.')) << "scratch file left: " << entry.toStdString();
}

// A German user reads German throughout: the help with Qt's own parts, a usage error, and the
// one line that says how to convert for want of a display, instead of Qt's abort, whether no
// arguments were given or only Qt's own options.
TEST_F(CliRunTest, SpeaksTheUsersLanguage) {
    language = u"LANG=de_DE.UTF-8"_s;
    const ProgramRun help = run({u"--help"_s});
    EXPECT_THAT(help.out, HasSubstr("Optionen:\n"));
    EXPECT_THAT(help.out, HasSubstr("Einzutragende Auflösung, 1 bis 4000."));
    EXPECT_EQ(run({u"--output"_s, output, source}).err,
              "plenwick: --dpi fehlt\nWeitere Informationen mit 'plenwick --help'.\n");

    for (const QStringList& arguments :
         {QStringList{}, QStringList{u"-qwindowtitle"_s, u"P"_s, u"-platform"_s, u"xcb"_s}}) {
        const ProgramRun noDisplay = run(arguments);
        EXPECT_EQ(noDisplay.exitStatus, 2);
        EXPECT_THAT(noDisplay.err,
                    ::testing::MatchesRegex(
                        "plenwick: kein Display, auf dem sich das Fenster[^\n]*--dpi[^\n]*\n"));
    }
}

} // namespace
} // namespace plenwick::test
