#include "programtest.h"
#include "testpictures.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

// The folder and every entry below it, links not followed, by modification time, and a file's
// bytes too: a probe or scratch file made and removed again still changes the time of its folder.
std::map<QString, QString> treeState(const QString& folder) {
    const auto state = [](const QFileInfo& entry) -> QString {
        QFile file(entry.filePath());
        return entry.lastModified().toString(Qt::ISODateWithMs) +
               (entry.isFile() && file.open(QIODevice::ReadOnly)
                    ? QString::fromLatin1(
                          QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                              .toHex())
                    : QString());
    };
    std::map<QString, QString> states{{folder, state(QFileInfo(folder))}};
    QDirIterator below(folder,
                       QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (below.hasNext()) {
        const QFileInfo entry = below.nextFileInfo();
        states[entry.filePath()] = state(entry);
    }
    return states;
}

// The files below the folder, as paths relative to it, sorted; names Qt cannot decode too.
QStringList filesBelow(const QString& folder) {
    QStringList files;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(QFile::encodeName(folder).toStdString())) {
        if (entry.is_regular_file())
            files << QDir(folder).relativeFilePath(QFile::decodeName(entry.path().c_str()));
    }
    files.sort();
    return files;
}

// A photo library in a scratch folder: nested folders, the same names in different folders, two
// pictures of one folder taking one copy name, files that are no pictures, a link that loops and
// a link out of the tree.
class LibraryTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
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
    [[nodiscard]] ProgramRun convertInto(const QString& output, const QStringList& options) const {
        return run(options + QStringList{u"--recursive"_s, u"--dpi"_s, u"300"_s, u"--output"_s,
                                         output, library});
    }

    const QString library = path(u"library"_s);
};

// The output folder lies inside the library: it is never entered, and neither are the links.
// a.jpg is in three folders, each gets its copy; 2024/a.jpeg takes the copy name of 2024/a.jpg.
// What is left alone is named with its reason on request.
TEST_F(LibraryTest, RecursiveRunMirrorsTheTreeAndNeverEntersLinksOrTheOutputFolder) {
    const QString output = library + u"/copies"_s;
    const auto elsewhere = treeState(path(u"elsewhere"_s));

    const ProgramRun result = convertInto(output, {u"--verbose"_s});

    EXPECT_EQ(result.exitStatus, 1);
    const QStringList copies{u"2023/a.jpg"_s, u"2023/deep/b.png"_s, u"2024/a.jpg"_s,
                             u"2024/scan.TIF"_s, u"a.jpg"_s};
    EXPECT_EQ(filesBelow(output), copies);
    for (const QString& copy : copies)
        EXPECT_EQ(resolution(output + u'/' + copy), u"300 300"_s) << copy.toStdString();
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
        run({u"--dpi"_s, u"150"_s, u"--output"_s, path(u"out"_s), library + u"/2023/a.jpg"_s,
             u"../library/2024/scan.TIF"_s, library + u"/notes.txt"_s, u"../elsewhere/"_s,
             library + u"/2024"_s});

    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(filesBelow(path(u"out"_s)),
              (QStringList{u"a.jpg"_s, u"outside.jpg"_s, u"scan.TIF"_s}));
    EXPECT_EQ(resolution(path(u"out/outside.jpg"_s)), u"150 150"_s);
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
    const QString output = path(u"not yet/copies"_s);
    const std::string to = output.toStdString();

    const ProgramRun result = convertInto(output, {u"--dry-run"_s});

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

    ASSERT_EQ(convertInto(output, {}).exitStatus, 1);
    writeText(output + u"/2023/deep/b.png"_s, "made by hand");
    auto afterRun = treeState(root.path());
    EXPECT_THAT(convertInto(output, {u"--dry-run"_s}).out,
                HasSubstr(to + "/a.jpg would be replaced by a copy of a.jpg.\n"));
    EXPECT_THAT(
        convertInto(output, {u"--dry-run"_s, u"--skip-existing"_s}).out,
        HasSubstr("2023/a.jpg is skipped: its copy " + to + "/2023/a.jpg is already there.\n"));
    EXPECT_EQ(treeState(root.path()), afterRun);

    makePicture(library + u"/2023/new.jpg"_s, u"jpeg"_s);
    const ProgramRun skipping = convertInto(output, {u"--skip-existing"_s});
    EXPECT_EQ(skipping.exitStatus, 1) << "2024/a.jpeg still collides";
    EXPECT_THAT(skipping.err,
                HasSubstr("\n6 pictures were skipped: their copies are already there.\n"));
    EXPECT_THAT(skipping.out, HasSubstr("/2 2023/new.jpg\n"));
    EXPECT_EQ(resolution(output + u"/2023/new.jpg"_s), u"300 300"_s);
    const auto afterSkipping = treeState(root.path());
    for (const QString& changed :
         QStringList{output, output + u"/2023"_s, output + u"/2023/new.jpg"_s, library + u"/2023"_s,
                     library + u"/2023/new.jpg"_s})
        afterRun[changed] = afterSkipping.at(changed);
    EXPECT_EQ(afterSkipping, afterRun);

    // Without it, a copy there is replaced, whoever made it.
    ASSERT_EQ(convertInto(output, {}).exitStatus, 1);
    EXPECT_EQ(resolution(output + u"/2023/deep/b.png"_s), u"300 300"_s);
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

    const ProgramRun result = run({u"--dpi"_s, u"300"_s, u"--output"_s, path(u"out"_s), library});

    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(filesBelow(path(u"out"_s)),
              (QStringList{u"a.jpg"_s, QFile::decodeName("caf\xe9.jpg"), u"linked.jpg"_s}));
    EXPECT_EQ(
        ::access(QByteArray(QFile::encodeName(path(u"out"_s)) + "/caf\xe9.jpg").constData(), F_OK),
        0);
    EXPECT_THAT(result.out,
                EndsWith("1 file was left alone: its name is not that of a JPEG, PNG or TIFF "
                         "picture.\n2 entries were left alone: they are not regular files.\n3 "
                         "folders were not entered.\nRun with --verbose to see each with its "
                         "reason.\n3 pictures converted into " +
                         path(u"out"_s).toStdString() + "\n"));
}

} // namespace
} // namespace plenwick::test
