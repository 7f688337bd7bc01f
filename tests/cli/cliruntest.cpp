#include "qtprinters.h"
#include "runningprocesses.h"
#include "testpictures.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// How one run of the program ended.
struct ProgramRun final {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// Every entry of the folder, hidden ones included, sorted.
QStringList entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The resolution ExifTool reads from the file, as "x y" in dots per inch: a JPEG records it in
// its JFIF header, a PNG in pixels per metre in pHYs.
QString resolution(const QString& file) {
    QProcess exiftool;
    exiftool.start(u"exiftool"_s, u"-s3 -n -JFIF:XResolution -JFIF:YResolution -PixelsPerUnitX "
                                  "-PixelsPerUnitY --"_s.split(u' ')
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

// The folder and every entry below it, links not followed, by modification time: what is written
// changes its file's time, and a probe or scratch file made and removed again that of its folder.
std::map<QString, QString> treeState(const QString& folder) {
    const auto time = [](const QFileInfo& entry) {
        return entry.lastModified().toString(Qt::ISODateWithMs);
    };
    std::map<QString, QString> states{{folder, time(QFileInfo(folder))}};
    QDirIterator below(folder,
                       QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (below.hasNext()) {
        const QFileInfo entry = below.nextFileInfo();
        states[entry.filePath()] = time(entry);
    }
    return states;
}

// The program as a user runs it, in a scratch folder of its own: a source and an output folder, a
// working folder, and a settings folder and a home it must leave empty. It runs with no display.
class CliRunTest : public ::testing::Test {
protected:
    [[nodiscard]] QString path(const QString& name) const { return root.filePath(name); }

    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        for (const char* folder : {"config", "home", "work", "source", "output"})
            ASSERT_TRUE(QDir(root.path()).mkdir(QString::fromLatin1(folder)));
    }

    // QTemporaryDir leaves behind the names it cannot decode.
    void TearDown() override {
        std::filesystem::remove_all(QFile::encodeName(root.path()).toStdString());
    }

    // A GUI platform started by mistake would fail for want of an X server.
    [[nodiscard]] QStringList environment() const {
        static const QRegularExpression replaced(
            u"^(DISPLAY|WAYLAND_DISPLAY|QT_QPA_PLATFORM|HOME|XDG_CONFIG_HOME|LANG|LANGUAGE|LC_\\w+)="_s);
        QStringList variables = QProcess::systemEnvironment();
        variables.removeIf([](const QString& variable) { return variable.contains(replaced); });
        return variables << language << u"QT_QPA_PLATFORM=xcb"_s
                         << u"XDG_CONFIG_HOME="_s + path(u"config"_s)
                         << u"HOME="_s + path(u"home"_s);
    }
    QString language = u"LANG=C.UTF-8"_s;

    // Starts the program with these arguments in the working folder, and returns at once.
    void start(QProcess& program, const QStringList& arguments) const {
        program.setEnvironment(environment());
        program.setWorkingDirectory(path(u"work"_s));
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
    const QString source = path(u"source"_s);
    const QString output = path(u"output"_s);
};

// A wrong command line is refused with the reason, and nothing is made, not even a link's target.
TEST_F(CliRunTest, UsageErrorSaysWhatIsWrongAndDoesNothing) {
    makePicture(source + u"/photo.jpg"_s, u"jpeg"_s);
    writeText(path(u"file"_s));
    ASSERT_TRUE(QFile::link(source, path(u"link"_s)));
    ASSERT_TRUE(QFile::link(path(u"nowhere"_s), path(u"dangling"_s)));
    // The arguments split at spaces; SRC, OUT and ROOT stand for the test's folders.
    const std::pair<const char*, const char*> rows[] = {
        {"--dpi 4001 --output OUT SRC", "a whole number from 1 to 4000, not '4001'"},
        {"--dpi +300 --output OUT SRC", "not '+300'"},
        {"--output OUT SRC", "--dpi is missing"},
        {"--dpi=72 --dpi 300 --output OUT SRC", "--dpi is given more than once"},
        {"--dpi 300 SRC", "--output is missing"},
        {"--dpi 300 --output ROOT/file SRC", "is not a folder"},
        {"--dpi 300 --output= SRC", "the output folder  does not exist"},
        {"--dpi 300 --output ROOT/dangling SRC", "/dangling does not exist"},
        {"--dpi 300 --output OUT ROOT/none", "/none does not exist"},
        {"--dpi 300 --output OUT", "SOURCE is missing"},
        {"--dpi 300 --output OUT SRC OUT", "the output folder is the source folder"},
        {"--dpi 300 --output ROOT/link SRC", "the output folder is the source folder"},
        {"--jobs 65 --dpi 300 --output OUT SRC",
         "--jobs must be a whole number from 1 to 64, not '65'"},
        {"--recurse --dpi 300 --output OUT SRC", "Unknown option 'recurse'"}};
    for (const auto& [line, message] : rows) {
        SCOPED_TRACE(line);
        QStringList arguments = QString::fromUtf8(line).split(u' ');
        arguments.replaceInStrings(QRegularExpression(u"^SRC"_s), source)
            .replaceInStrings(QRegularExpression(u"^OUT"_s), output)
            .replaceInStrings(QRegularExpression(u"^ROOT"_s), root.path());
        const ProgramRun result = run(arguments);
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_THAT(result.err, HasSubstr(message));
        EXPECT_THAT(result.err, EndsWith("Try 'plenwick --help'.\n"));
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(entries(output), QStringList());
        EXPECT_EQ(entries(source), QStringList{u"photo.jpg"_s});
        EXPECT_FALSE(QFileInfo::exists(path(u"nowhere"_s))) << "a link's target made";
    }
}

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

// The roots of two disks often share an inode number; they are still two folders.
TEST_F(CliRunTest, TheRootsOfTwoDisksAreTwoFolders) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting needs root";
    for (const QString& disk : {source, output})
        ASSERT_EQ(::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=1m"), 0);
    makePicture(source + u"/a.png"_s, u"png"_s);
    const ProgramRun result = run({u"--dpi"_s, u"300"_s, u"--output"_s, output, source});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(entries(output), QStringList{u"a.png"_s});
    for (const QString& disk : {source, output})
        ::umount(QFile::encodeName(disk).constData());
}

// A photo library in a scratch folder: nested folders, the same names in different folders, two
// pictures of one folder taking one copy name, files that are no pictures, a link that loops and
// a link out of the tree.
class LibraryTest : public CliRunTest {
protected:
    void SetUp() override {
        CliRunTest::SetUp();
        for (const char* folder :
             {"library/2023/deep", "library/2024", "library/empty", "elsewhere"})
            ASSERT_TRUE(QDir(root.path()).mkpath(QString::fromLatin1(folder)));
        for (const char* picture : {"a.jpg", "2023/a.jpg", "2024/a.jpg", "2024/a.jpeg"})
            makePicture(library + u'/' + QString::fromLatin1(picture), u"jpeg"_s);
        makePicture(library + u"/2023/deep/b.png"_s, u"png"_s);
        makePicture(library + u"/2024/scan.TIF"_s, u"tiff"_s);
        for (const char* other : {"notes.txt", "2024/photo.webp", "2024/photo.heic"})
            writeText(library + u'/' + QString::fromLatin1(other));
        makePicture(path(u"elsewhere/outside.jpg"_s), u"jpeg"_s);
        ASSERT_TRUE(QFile::link(u"../.."_s, library + u"/2023/deep/up"_s));
        ASSERT_TRUE(QFile::link(path(u"elsewhere"_s), library + u"/2024/elsewhere"_s));
    }

    // Converts the whole library at 300 DPI into the folder, with these options first.
    [[nodiscard]] ProgramRun convertInto(const QString& into, const QStringList& options) const {
        return run(options + QStringList{u"--recursive"_s, u"--dpi"_s, u"300"_s, u"--output"_s,
                                         into, library});
    }

    const QString library = path(u"library"_s);
};

// The output folder lies inside the library: it is never entered, and neither are the links.
// a.jpg is in three folders, each gets its copy; 2024/a.jpeg takes the copy name of 2024/a.jpg.
// What is left alone is named with its reason on request.
TEST_F(LibraryTest, RecursiveRunMirrorsTheTreeAndNeverEntersLinksOrTheOutputFolder) {
    const QString inside = library + u"/copies"_s;
    const auto elsewhere = treeState(path(u"elsewhere"_s));

    const ProgramRun result = convertInto(inside, {u"--verbose"_s});

    EXPECT_EQ(result.exitStatus, 1);
    QStringList made;
    for (QDirIterator below(inside, QDir::Files, QDirIterator::Subdirectories); below.hasNext();)
        made << QDir(inside).relativeFilePath(below.next());
    made.sort();
    const QStringList copies{u"2023/a.jpg"_s, u"2023/deep/b.png"_s, u"2024/a.jpg"_s,
                             u"2024/scan.TIF"_s, u"a.jpg"_s};
    EXPECT_EQ(made, copies);
    for (const QString& copy : copies)
        EXPECT_EQ(resolution(inside + u'/' + copy), u"300 300"_s) << copy.toStdString();
    EXPECT_EQ(treeState(path(u"elsewhere"_s)), elsewhere);
    // Whichever of the two the folder lists first keeps the name.
    EXPECT_THAT(result.err,
                ::testing::ContainsRegex("\n  2024/a\\.jpe?g: its copy a\\.jpg is already made "
                                         "from 2024/a\\.jpe?g in this run\n"));
    for (const char* line :
         {"\n2023/deep/up is left alone: it is a link to a folder, and links are not followed.\n",
          "\n2024/elsewhere is left alone: it is a link to a folder, and links are not followed.\n",
          "\ncopies is left alone: it is the output folder.\n",
          "\n2024/photo.heic is left alone: its name does not end in .jpg, .jpeg, .png, .tif or "
          ".tiff.\n",
          "\n3 folders were not entered.\nplenwick: 5 of 6 pictures converted, 1 failed\n"})
        EXPECT_THAT(result.err, HasSubstr(line));
    EXPECT_THAT(result.out, HasSubstr("/6 2023/deep/b.png\n"));
}

// Pictures and folders given together: every copy goes into the output folder itself, where two
// of one name from different folders collide. Relative sources are read from where the program
// was started, not from the output folder the conversions run in.
TEST_F(LibraryTest, FilesAndFoldersGivenTogetherAllGoIntoTheOutputFolder) {
    const ProgramRun result =
        run({u"--dpi"_s, u"150"_s, u"--output"_s, output, library + u"/2023/a.jpg"_s,
             u"../library/2024/scan.TIF"_s, library + u"/notes.txt"_s, u"../elsewhere/"_s,
             library + u"/2024"_s});

    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(entries(output), (QStringList{u"a.jpg"_s, u"outside.jpg"_s, u"scan.TIF"_s}));
    EXPECT_EQ(resolution(output + u"/outside.jpg"_s), u"150 150"_s);
    EXPECT_THAT(result.out, HasSubstr(" ../elsewhere/outside.jpg\n"));
    EXPECT_THAT(result.err, HasSubstr(u"\n  %1/2024/a.jpg: its copy a.jpg is already made from "
                                      "%1/2023/a.jpg in this run\n"_s.arg(library)
                                          .toStdString()));
    EXPECT_THAT(result.err, HasSubstr("\n1 folder was not entered.\n"));
}

// A picture in the output folder would be replaced by its own copy; with the output folder above
// the library, the copies of library/library would go into the library.
TEST_F(LibraryTest, CopiesThatWouldReplaceASourceAreRefusedBeforeAnythingIsMade) {
    ASSERT_TRUE(QDir(library).mkdir(u"library"_s));
    makePicture(library + u"/library/a.jpg"_s, u"jpeg"_s);
    const auto before = treeState(root.path());
    const struct {
        QStringList arguments;
        std::string message;
    } rows[] = {{{library + u"/2024"_s, library + u"/2024/a.jpg"_s}, "would replace the pictures"},
                {{root.path(), u"--recursive"_s, library},
                 "would go into " + library.toStdString() + ", a folder whose"}};
    for (const auto& [arguments, message] : rows) {
        const ProgramRun result = run(QStringList{u"--dpi"_s, u"150"_s, u"--output"_s} + arguments);
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_THAT(result.err, HasSubstr(message));
        EXPECT_EQ(treeState(root.path()), before);
    }
}

// A dry run says what the run would do, and makes nothing: no output folder, no scratch file, no
// probe file. Over an earlier run's copies, it says which would be replaced or kept; a run with
// --skip-existing keeps every copy there as it is, one made otherwise too, and converts only a new
// picture; a run without it replaces them.
TEST_F(LibraryTest, DryRunListsEverythingAndChangesNothing) {
    ASSERT_TRUE(QDir(library).mkdir(u"odd\nname"_s));
    makePicture(library + u"/odd\nname/c.png"_s, u"png"_s);
    const auto before = treeState(root.path());
    const QString notYet = path(u"not yet/copies"_s);
    const std::string to = notYet.toStdString();

    const ProgramRun result = convertInto(notYet, {u"--dry-run"_s});

    EXPECT_EQ(result.exitStatus, 1) << "a picture would not be converted";
    EXPECT_EQ(treeState(root.path()), before);
    for (const std::string& line :
         {"The folder " + to + "/2023/deep would be made.\n",
          to + "/2023/a.jpg would be written from 2023/a.jpg.\n",
          to + "/odd\\nname/c.png would be written from odd\\nname/c.png.\n",
          "Dry run: 6 pictures would be converted into " + to + "; nothing was changed.\n"})
        EXPECT_THAT(result.out, HasSubstr(line));
    EXPECT_THAT(result.out, ::testing::ContainsRegex(
                                "\n2024/a\\.jpe?g would not be converted: its copy a\\.jpg is "
                                "already made from 2024/a\\.jpe?g in this run\\.\n"));
    EXPECT_EQ(result.err, "");

    ASSERT_EQ(convertInto(notYet, {}).exitStatus, 1);
    writeText(notYet + u"/2023/deep/b.png"_s, "made by hand");
    makePicture(library + u"/2023/new.jpg"_s, u"jpeg"_s);
    auto afterRun = treeState(root.path());
    EXPECT_THAT(convertInto(notYet, {u"--dry-run"_s}).out,
                HasSubstr(to + "/a.jpg would be replaced by a copy of a.jpg.\n"));
    EXPECT_THAT(
        convertInto(notYet, {u"--dry-run"_s, u"--skip-existing"_s}).out,
        HasSubstr("2023/a.jpg is skipped: its copy " + to + "/2023/a.jpg is already there.\n"));
    EXPECT_EQ(treeState(root.path()), afterRun);

    const ProgramRun skipping = convertInto(notYet, {u"--skip-existing"_s});
    EXPECT_EQ(skipping.exitStatus, 1) << "2024/a.jpeg still collides";
    EXPECT_THAT(skipping.err,
                HasSubstr("\n6 pictures were skipped: their copies are already there.\n"));
    EXPECT_THAT(skipping.out, HasSubstr("/2 2023/new.jpg\n"));
    EXPECT_EQ(resolution(notYet + u"/2023/new.jpg"_s), u"300 300"_s);
    const auto afterSkipping = treeState(root.path());
    for (const QString& changed :
         QStringList{notYet, notYet + u"/2023"_s, notYet + u"/2023/new.jpg"_s})
        afterRun[changed] = afterSkipping.at(changed);
    EXPECT_EQ(afterSkipping, afterRun);

    // Without it, a copy there is replaced, whoever made it.
    ASSERT_EQ(convertInto(notYet, {}).exitStatus, 1);
    EXPECT_EQ(resolution(notYet + u"/2023/deep/b.png"_s), u"300 300"_s);
}

// Without --recursive only the folder given is converted; what it holds besides is counted. A
// FIFO and a dangling link are no pictures and are never opened; a link to a picture is one, and
// so is a name whatever its bytes and the letter case of its extension.
TEST_F(LibraryTest, FlatRunCountsWhatItLeavesAlone) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(library + u"/pipe.jpg"_s).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(path(u"nowhere.jpg"_s), library + u"/dangling.png"_s));
    ASSERT_TRUE(QFile::link(path(u"elsewhere/outside.jpg"_s), library + u"/linked.jpg"_s));
    const QByteArray latin1Name("/caf\xe9.Jpg");
    ASSERT_EQ(::link(QFile::encodeName(library + u"/a.jpg"_s).constData(),
                     QByteArray(QFile::encodeName(library) + latin1Name).constData()),
              0);

    const ProgramRun result = run({u"--dpi"_s, u"300"_s, u"--output"_s, output, library});

    EXPECT_EQ(result.exitStatus, 0) << result.err;
    // Qt lists no name it cannot decode: that copy is looked for by its bytes.
    EXPECT_EQ(entries(output), (QStringList{u"a.jpg"_s, u"linked.jpg"_s}));
    EXPECT_EQ(::access(QByteArray(QFile::encodeName(output) + "/caf\xe9.jpg").constData(), F_OK),
              0);
    EXPECT_THAT(result.out,
                EndsWith("1 file was left alone: its name is not that of a JPEG, PNG or TIFF "
                         "picture.\n2 entries were left alone: they are not regular files.\n3 "
                         "folders were not entered.\nRun with --verbose to see each with its "
                         "reason.\n3 pictures converted into " +
                         output.toStdString() + "\n"));
}

} // namespace
} // namespace plenwick::test
