#include "programtest.h"
#include "testpictures.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

// One entry of a tree as it stands: its kind, its bytes or link target, its modification time.
struct EntryState final {
    QString kind;
    QByteArray content;
    std::int64_t modified = 0;
    bool operator==(const EntryState&) const = default;
};
using TreeState = std::map<std::string, EntryState>;

void PrintTo(const EntryState& entry, std::ostream* out) {
    *out << entry.kind.toStdString() << " " << entry.modified;
}

// Every entry below the folder, links not followed, folders with their modification times too:
// a probe or scratch file made and removed again still changes its folder's time.
TreeState treeState(const QString& folder) {
    namespace fs = std::filesystem;
    TreeState state;
    const fs::path root = QFile::encodeName(folder).toStdString();
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        struct stat status {};
        EXPECT_EQ(::lstat(entry.path().c_str(), &status), 0);
        EntryState entryState;
        entryState.modified = status.st_mtim.tv_sec * 1'000'000'000LL + status.st_mtim.tv_nsec;
        if (S_ISLNK(status.st_mode)) {
            entryState.kind = u"link"_s;
            entryState.content = QByteArray::fromStdString(fs::read_symlink(entry.path()));
        } else if (S_ISDIR(status.st_mode)) {
            entryState.kind = u"folder"_s;
        } else {
            entryState.kind = u"file"_s;
            QFile file(QString::fromStdString(entry.path()));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            entryState.content =
                QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
        }
        state.emplace(fs::relative(entry.path(), root).string(), entryState);
    }
    struct stat status {};
    EXPECT_EQ(::lstat(root.c_str(), &status), 0);
    state["."] = {
        u"folder"_s, {}, status.st_mtim.tv_sec * 1'000'000'000LL + status.st_mtim.tv_nsec};
    return state;
}

// The files below the folder, as paths relative to it, sorted; links not followed.
QStringList filesBelow(const QString& folder) {
    QStringList files;
    for (const auto& [path, entry] : treeState(folder)) {
        if (entry.kind == u"file"_s)
            files << QString::fromStdString(path);
    }
    return files;
}

// A photo library in a scratch folder: nested folders, the same names in different folders, two
// pictures of one folder taking one copy name, files that are no pictures, a link that loops and
// a link out of the tree.
class LibraryTest : public ProgramTest {
protected:
    [[nodiscard]] QString library() const { return path(u"library"_s); }

    void SetUp() override {
        ProgramTest::SetUp();
        for (const char* folder :
             {"library/2023/deep", "library/2024", "library/empty", "elsewhere"})
            ASSERT_TRUE(QDir(root.path()).mkpath(QString::fromLatin1(folder)));
        makePicture(library() + u"/a.jpg"_s, u"jpeg"_s);
        makePicture(library() + u"/2023/a.jpg"_s, u"jpeg"_s);
        makePicture(library() + u"/2023/deep/b.png"_s, u"png"_s);
        makePicture(library() + u"/2024/a.jpg"_s, u"jpeg"_s);
        makePicture(library() + u"/2024/a.jpeg"_s, u"jpeg"_s);
        makePicture(library() + u"/2024/scan.TIF"_s, u"tiff"_s);
        writeText(library() + u"/notes.txt"_s);
        writeText(library() + u"/2024/photo.webp"_s);
        writeText(library() + u"/2024/photo.heic"_s);
        makePicture(path(u"elsewhere/outside.jpg"_s), u"jpeg"_s);
        ASSERT_TRUE(QFile::link(u"../.."_s, library() + u"/2023/deep/up"_s));
        ASSERT_TRUE(QFile::link(path(u"elsewhere"_s), library() + u"/2024/elsewhere"_s));
    }

    // The run's output and error as text, to be matched with paths.
    struct LibraryRun final {
        int exitStatus = -1;
        QString out;
        QString err;
    };
    [[nodiscard]] LibraryRun run(const QStringList& arguments) const {
        const ProgramRun ran = ProgramTest::run(arguments);
        return {ran.exitStatus, QString::fromUtf8(ran.out), QString::fromUtf8(ran.err)};
    }
};

// The output folder lies inside the library: it is never entered, and neither are the links.
// a.jpg is in three folders, each gets its copy; 2024/a.jpeg takes the copy name of 2024/a.jpg.
TEST_F(LibraryTest, RecursiveRunMirrorsTheTreeAndNeverEntersLinksOrTheOutputFolder) {
    const QString output = library() + u"/copies"_s;
    const TreeState elsewhere = treeState(path(u"elsewhere"_s));

    const LibraryRun result =
        run({u"--recursive"_s, u"--dpi"_s, u"300"_s, u"--output"_s, output, library()});

    EXPECT_EQ(result.exitStatus, 1) << result.err.toStdString();
    const QStringList copies{u"2023/a.jpg"_s, u"2023/deep/b.png"_s, u"2024/a.jpg"_s,
                             u"2024/scan.TIF"_s, u"a.jpg"_s};
    EXPECT_EQ(filesBelow(output), copies);
    for (const QString& copy : copies)
        EXPECT_EQ(resolution(output + u'/' + copy), u"300 300"_s) << copy.toStdString();
    EXPECT_FALSE(QFileInfo::exists(output + u"/empty"_s)) << "a folder made for no copy";
    EXPECT_EQ(treeState(path(u"elsewhere"_s)), elsewhere);
    // Whichever of the two the folder lists first keeps the name.
    EXPECT_TRUE(result.err.contains(QRegularExpression(
        u"\n  2024/a\\.jpe?g: its copy a\\.jpg is already made from 2024/a\\.jpe?g in this run\n"_s)))
        << result.err.toStdString();
    for (const char* line :
         {"3 files were left alone: their names are not those of JPEG, PNG or TIFF pictures.\n",
          "3 folders were not entered.\n", "Run with --verbose to see each with its reason.\n",
          "plenwick: 5 of 6 pictures converted, 1 failed\n"})
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(line)))
            << line << result.err.toStdString();
    EXPECT_EQ(result.out.count(u'\n'), 1 + 6)
        << "the output folder made, then one line per picture:\n"
        << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(u"/6 2023/deep/b.png\n"_s)) << result.out.toStdString();

    // Named with their reasons on request; the copies of the first run are replaced.
    const LibraryRun verbose = run(
        {u"--verbose"_s, u"--recursive"_s, u"--dpi"_s, u"72"_s, u"--output"_s, output, library()});
    for (const char* line :
         {"2023/deep/up is left alone: it is a link to a folder, and links are not followed.\n",
          "2024/elsewhere is left alone: it is a link to a folder, and links are not followed.\n",
          "copies is left alone: it is the output folder.\n",
          "2024/photo.heic is left alone: its name does not end in .jpg, .jpeg, .png, .tif or "
          ".tiff.\n"})
        EXPECT_TRUE(verbose.err.contains(QString::fromUtf8(line)))
            << line << verbose.err.toStdString();
    EXPECT_FALSE(verbose.err.contains(u"--verbose"_s));
    EXPECT_EQ(resolution(output + u"/2023/deep/b.png"_s), u"72 72"_s)
        << "the default is to replace";
}

// Pictures and folders given together: every copy goes into the output folder itself, and the
// names say which source each came from. Two pictures of one name in different folders given
// both land in one folder, where they collide. Relative sources are read from where the program
// was started, not from the output folder the conversions run in.
TEST_F(LibraryTest, FilesAndFoldersGivenTogetherAllGoIntoTheOutputFolder) {
    const QString output = path(u"work/out"_s);
    const LibraryRun result =
        run({u"--dpi"_s, u"150"_s, u"--output"_s, output, library() + u"/2023/a.jpg"_s,
             u"../library/2024/scan.TIF"_s, library() + u"/notes.txt"_s, u"../elsewhere/"_s,
             library() + u"/2024"_s});

    EXPECT_EQ(result.exitStatus, 1) << result.err.toStdString();
    EXPECT_EQ(filesBelow(output), (QStringList{u"a.jpg"_s, u"outside.jpg"_s, u"scan.TIF"_s}));
    EXPECT_EQ(resolution(output + u"/outside.jpg"_s), u"150 150"_s);
    EXPECT_TRUE(result.out.contains(u" ../elsewhere/outside.jpg\n"_s)) << result.out.toStdString();
    EXPECT_TRUE(result.err.contains(u"  "_s + library() +
                                    u"/2024/a.jpg: its copy a.jpg is already made from "_s +
                                    library() + u"/2023/a.jpg in this run\n"_s))
        << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(u"1 folder was not entered.\n"_s)) << result.err.toStdString();

    // A picture in the output folder would be replaced by its own copy.
    const TreeState before = treeState(root.path());
    const LibraryRun ownCopy =
        run({u"--dpi"_s, u"150"_s, u"--output"_s, output, output + u"/a.jpg"_s});
    EXPECT_EQ(ownCopy.exitStatus, 2);
    EXPECT_TRUE(ownCopy.err.contains(u"would replace the pictures"_s)) << ownCopy.err.toStdString();
    EXPECT_EQ(treeState(root.path()), before);
}

// The output folder above the library: the copies of library/library would go into the library.
TEST_F(LibraryTest, CopiesThatWouldLandInASourceFolderAreRefusedBeforeAnythingIsMade) {
    ASSERT_TRUE(QDir(library()).mkdir(u"library"_s));
    makePicture(library() + u"/library/a.jpg"_s, u"jpeg"_s);
    const TreeState before = treeState(root.path());

    const LibraryRun result =
        run({u"--recursive"_s, u"--dpi"_s, u"300"_s, u"--output"_s, root.path(), library()});

    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_TRUE(result.err.contains(u"would go into "_s + library() + u", a folder whose"_s))
        << result.err.toStdString();
    EXPECT_EQ(treeState(root.path()), before);
}

TEST_F(LibraryTest, SkipExistingLeavesEveryCopyThereUntouched) {
    const QString output = path(u"out"_s);
    const QStringList arguments{u"--recursive"_s, u"--dpi"_s, u"300"_s,
                                u"--output"_s,    output,     library()};
    ASSERT_EQ(run(arguments).exitStatus, 1);
    // A copy made otherwise is kept as it is too.
    writeText(output + u"/2023/deep/b.png"_s, "made by hand");
    const TreeState before = treeState(output);

    const LibraryRun again = run(QStringList{u"--skip-existing"_s} + arguments);

    EXPECT_EQ(again.exitStatus, 1) << "2024/a.jpeg still collides";
    EXPECT_EQ(treeState(output), before);
    EXPECT_TRUE(again.err.contains(u"5 pictures were skipped: their copies are already there.\n"_s))
        << again.err.toStdString();

    // Only a new picture is converted.
    makePicture(library() + u"/2023/new.jpg"_s, u"jpeg"_s);
    const LibraryRun withNew = run(QStringList{u"--skip-existing"_s} + arguments);
    EXPECT_TRUE(withNew.out.contains(u"/2 2023/new.jpg\n"_s)) << withNew.out.toStdString();
    EXPECT_EQ(resolution(output + u"/2023/new.jpg"_s), u"300 300"_s);
    EXPECT_EQ(treeState(output).at("2023/a.jpg"), before.at("2023/a.jpg"));
}

// A dry run says what the run would do, and makes nothing: no output folder, no scratch file, no
// probe file.
TEST_F(LibraryTest, DryRunListsEverythingAndChangesNothing) {
    ASSERT_TRUE(QDir(library()).mkdir(u"odd\nname"_s));
    makePicture(library() + u"/odd\nname/c.png"_s, u"png"_s);
    const TreeState before = treeState(root.path());
    const QString output = path(u"not yet/copies"_s);

    const LibraryRun result = run(
        {u"--dry-run"_s, u"--recursive"_s, u"--dpi"_s, u"300"_s, u"--output"_s, output, library()});

    EXPECT_EQ(result.exitStatus, 1) << "a picture would not be converted";
    EXPECT_EQ(treeState(root.path()), before);
    for (const QString& line : QStringList{
             u"The folder "_s + output + u"/2023/deep would be made.\n"_s,
             output + u"/2023/a.jpg would be written from 2023/a.jpg.\n"_s,
             u"2024/photo.webp is left alone: its name does not end in .jpg, .jpeg, .png, .tif or "
             ".tiff.\n"_s,
             u"A dry run makes no probe file"_s,
             output + u"/odd\\nname/c.png would be written from odd\\nname/c.png.\n"_s,
             u"Dry run: 6 pictures would be converted into "_s + output +
                 u"; nothing was changed.\n"_s})
        EXPECT_TRUE(result.out.contains(line)) << line.toStdString() << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(
        QRegularExpression(u"\n2024/a\\.jpe?g would not be converted: its copy a\\.jpg is already "
                           "made from 2024/a\\.jpe?g in this run\\.\n"_s)))
        << result.out.toStdString();
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();

    // Over an earlier run's copies: what would be replaced, or kept.
    ASSERT_EQ(
        run({u"--recursive"_s, u"--dpi"_s, u"300"_s, u"--output"_s, output, library()}).exitStatus,
        1);
    const TreeState afterRun = treeState(root.path());
    const LibraryRun replacing = run(
        {u"--dry-run"_s, u"--recursive"_s, u"--dpi"_s, u"300"_s, u"--output"_s, output, library()});
    EXPECT_TRUE(
        replacing.out.contains(output + u"/a.jpg would be replaced by a copy of a.jpg.\n"_s))
        << replacing.out.toStdString();
    const LibraryRun keeping = run({u"--dry-run"_s, u"--skip-existing"_s, u"--recursive"_s,
                                    u"--dpi"_s, u"300"_s, u"--output"_s, output, library()});
    EXPECT_TRUE(keeping.out.contains(u"2023/a.jpg is skipped: its copy "_s + output +
                                     u"/2023/a.jpg is already there.\n"_s))
        << keeping.out.toStdString();
    EXPECT_EQ(treeState(root.path()), afterRun);
}

// A folder mounted inside itself leads round in a loop without any link: known by its identity.
TEST_F(LibraryTest, FolderMountedInsideItselfIsNotEntered) {
    ASSERT_TRUE(QDir(library()).mkdir(u"mounted"_s));
    const QString output = path(u"out"_s);
    QProcess program;
    program.start(u"unshare"_s,
                  {u"--mount"_s, u"--propagation"_s, u"private"_s, u"sh"_s, u"-c"_s,
                   u"mount --bind \"$1\" \"$1/mounted\" || exit 99; shift; exec \"$@\""_s, u"sh"_s,
                   library(), QStringLiteral(PLENWICK_EXECUTABLE), u"--recursive"_s, u"--verbose"_s,
                   u"--dpi"_s, u"300"_s, u"--output"_s, output, library()});
    ASSERT_TRUE(program.waitForFinished(120000));
    const QString err = QString::fromUtf8(program.readAllStandardError());
    if (program.exitCode() == 99 || program.exitStatus() != QProcess::NormalExit ||
        err.startsWith(u"unshare"_s))
        GTEST_SKIP() << "no private mount namespace here";
    EXPECT_TRUE(err.contains(u"mounted is left alone: it is the folder it lies in, or one above "
                             "that, so entering it would loop.\n"_s))
        << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(output + u"/mounted"_s));
    EXPECT_EQ(filesBelow(output).size(), 5);
}

// Without --recursive only the folder given is converted; what it holds besides is counted.
TEST_F(LibraryTest, FlatRunCountsWhatItLeavesAlone) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(library() + u"/pipe.jpg"_s).constData(), 0600), 0);
    const LibraryRun result = run({u"--dpi"_s, u"300"_s, u"--output"_s, path(u"out"_s), library()});
    EXPECT_EQ(result.exitStatus, 0) << result.err.toStdString();
    EXPECT_EQ(filesBelow(path(u"out"_s)), QStringList{u"a.jpg"_s});
    EXPECT_TRUE(result.out.endsWith(
        u"1 file was left alone: its name is not that of a JPEG, PNG or TIFF picture.\n"
        "1 entry was left alone: it is not a regular file.\n"
        "3 folders were not entered.\n"
        "Run with --verbose to see each with its reason.\n"
        "1 picture converted into "_s +
        path(u"out"_s) + u'\n'))
        << result.out.toStdString();
}

} // namespace
} // namespace plenwick::test
