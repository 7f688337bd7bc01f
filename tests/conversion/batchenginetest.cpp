#include "batchengine.h"

#include "batchtexts.h"
#include "enginerun.h"
#include "folderidentity.h"
#include "testpictures.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <dirent.h>
#include <numeric>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plenwick::test {
namespace {

using namespace std::chrono_literals;

// ImageMagick's name for the format a picture's extension says.
QString formatOf(const char* name) {
    const QString extension = QFileInfo(QString::fromLatin1(name)).suffix();
    if (extension.startsWith(u'j'))
        return QStringLiteral("jpeg");
    return extension.startsWith(u't') ? QStringLiteral("tiff") : QStringLiteral("png");
}

class BatchEngineTest : public testing::Test {
protected:
    BatchEngineTest()
        : source(root.filePath(QStringLiteral("in")))
        , output(root.filePath(QStringLiteral("out"))) {
        QDir().mkpath(source);
        QDir().mkpath(output);
    }

    [[nodiscard]] QString in(const char* name) const {
        return QDir(source).filePath(QString::fromUtf8(name));
    }

    // Converts the whole folder at 300 DPI on `workers` workers, as runEngine does.
    RunReport run(int workers = 2, const std::function<void(BatchEngine&)>& prepare = {},
                  const QString& into = QString()) {
        std::optional<BatchPlan> plan = planBatch(source, into.isEmpty() ? output : into);
        EXPECT_TRUE(plan.has_value());
        if (!plan)
            return {};
        return runEngine(std::move(*plan), tools, workers, prepare);
    }

    QTemporaryDir root;
    QString source;
    QString output;
    ToolRecord tools;
};

// Step 2 killed: the picture stops there. Before, step 3 still wrote a copy with the source's
// old resolution and a hidden partial file stayed behind. A last step that exits 0 without
// writing the copy fails too.
TEST_F(BatchEngineTest, AFailedStepStopsItsPictureAndLeavesNothing) {
    makePicture(in("a.jpg"), QStringLiteral("jpeg"));
    struct Fault {
        const char* step; // what the faulted command line holds
        const char* replacement;
        size_t stepsRun;
        QString reason;
    };
    const Fault faults[] = {
        {"dpiHeight", "kill -KILL $$", 2, QStringLiteral("the image tool was stopped")},
        {"--out \"", "true", 3, QStringLiteral("the image tool wrote no copy")}};
    for (const Fault& fault : faults) {
        tools.clear();
        tools.replaceStep = [&fault](const QByteArray& command) -> std::optional<QByteArray> {
            if (command.contains(fault.step) && !command.contains("format jp2"))
                return QByteArray(fault.replacement);
            return std::nullopt;
        };

        const std::map<QByteArray, QString> failed = run().failed;

        ASSERT_TRUE(failed.contains("a.jpg")) << fault.step;
        EXPECT_EQ(failed.at("a.jpg"), fault.reason);
        EXPECT_EQ(tools.commands().size(), fault.stepsRun) << "no step after the failed one";
        EXPECT_TRUE(namesIn(output).empty());
    }
}

// A FIFO, a folder, a dangling link: none is a picture, none is opened; a link to a picture is.
// Names are listed whatever their bytes, matched in any letter case, named as the families say.
TEST_F(BatchEngineTest, RegularFilesAndLinksToThemOfAnyNameArePictures) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(in("x.jpg")).constData(), 0644), 0);
    ASSERT_TRUE(QDir(source).mkdir(QStringLiteral("y.png")));
    ASSERT_TRUE(QFile::link(in("gone.tif"), in("dangling.png")));
    makePicture(root.filePath(QStringLiteral("elsewhere.png")), QStringLiteral("png"));
    ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("elsewhere.png")), in("linked.png")));
    const QByteArray latin1Name("caf\xe9.jpg");
    makePicture(in("tmp.jpg"), QStringLiteral("jpeg"));
    ASSERT_EQ(::rename(QFile::encodeName(in("tmp.jpg")).constData(),
                       QByteArray(QFile::encodeName(source) + '/' + latin1Name).constData()),
              0);
    makePicture(in("Photo.Jpg"), QStringLiteral("jpeg"));
    makePicture(in("scan.Tiff"), QStringLiteral("tiff"));
    makePicture(in("a.Png"), QStringLiteral("png"));

    const RunReport report = run();

    EXPECT_TRUE(report.failed.empty());
    EXPECT_EQ(report.plan.pictures.size(), 5U);
    EXPECT_EQ(namesIn(output),
              (std::set<QByteArray>{latin1Name, "Photo.jpg", "scan.Tiff", "a.Png", "linked.png"}));
}

// dup.jpg, dup.JPG and dup.jpeg all make dup.jpg: the first listed keeps it, the others are
// reported; a file that was there before the run is replaced as always.
TEST_F(BatchEngineTest, ACopyOfTheRunIsNeverOverwrittenByAnother) {
    const std::map<QByteArray, int> widths{{"dup.jpg", 10}, {"dup.JPG", 20}, {"dup.jpeg", 30}};
    for (const auto& [name, width] : widths)
        makePicture(in(name.constData()), QStringLiteral("jpeg"),
                    QStringLiteral("%1x8").arg(width));
    makePicture(in("old.png"), QStringLiteral("png"), QStringLiteral("40x8"));
    writeText(QDir(output).filePath(QStringLiteral("old.png")), "from an earlier day");

    const RunReport report = run();

    const PictureJob& first = report.plan.pictures.front().name.startsWith("dup")
                                  ? report.plan.pictures.front()
                                  : report.plan.pictures.at(1);
    ASSERT_EQ(report.failed.size(), 2U);
    for (const auto& [name, reason] : report.failed) {
        EXPECT_TRUE(name.startsWith("dup.")) << name.toStdString();
        EXPECT_NE(name, first.name);
        EXPECT_EQ(reason, QStringLiteral("its copy dup.jpg is already made from %1 in this run")
                              .arg(QString::fromUtf8(first.name)));
    }
    EXPECT_EQ(QImage(QDir(output).filePath(QStringLiteral("dup.jpg"))).width(),
              widths.at(first.name));
    EXPECT_EQ(QImage(QDir(output).filePath(QStringLiteral("old.png"))).width(), 40);
}

// A folder gone in the middle of a run: every picture after that is listed, with the reason.
TEST_F(BatchEngineTest, AnOutputFolderRemovedMidRunFailsEveryLaterPicture) {
    for (const char* name : {"1.png", "2.png", "3.png"})
        makePicture(in(name), QStringLiteral("png"));
    // One worker, told on its own thread: the folder goes before the second picture starts.
    const std::map<QByteArray, QString> failed =
        run(1, [this](BatchEngine& batch) {
            QObject::connect(
                &batch, &BatchEngine::pictureFinished, &batch,
                [this] { QDir(output).removeRecursively(); }, Qt::DirectConnection);
        }).failed;

    EXPECT_EQ(failed.size(), 2U);
    for (const auto& [name, reason] : failed)
        EXPECT_EQ(reason,
                  QStringLiteral("cannot write to the output folder: No such file or directory"));
}

// Read-only and full folders need a file system of their own, which only root may mount.
TEST_F(BatchEngineTest, AReadOnlyOrFullOutputFolderFailsEveryUnwrittenPicture) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a read-only or a tiny file system needs root";
    for (const char* name : {"1.png", "2.png"})
        makePicture(in(name), QStringLiteral("png"), QStringLiteral("400x400"));
    const QByteArray target = QFile::encodeName(output);
    for (const char* options : {"size=64k,ro", "size=4k"}) {
        ASSERT_EQ(::mount("tmpfs", target.constData(), "tmpfs", 0, options), 0) << options;
        const std::map<QByteArray, QString> failed = run().failed;
        ASSERT_EQ(::umount(target.constData()), 0) << options;
        EXPECT_EQ(failed.size(), 2U) << options;
        for (const auto& [name, reason] : failed)
            EXPECT_FALSE(reason.isEmpty()) << options;
    }
}

// Twice as many pictures as workers, a broken one among them: each picture is converted once,
// the broken one alone fails while the others go on, every entry is reached once in listing
// order, and no more pictures are in flight than there are workers.
TEST_F(BatchEngineTest, MorePicturesThanWorkersEachConvertedOnce) {
    for (const char* name : {"1.png", "2.jpg", "3.tif", "5.png", "6.jpg"})
        makePicture(in(name), formatOf(name), QStringLiteral("300x200"));
    writeText(in("4.png"));
    writeText(in("notes.txt"));

    const RunReport report = run(2);

    EXPECT_EQ(tools.mostAtOnce(), 2);
    ASSERT_EQ(report.failed.size(), 1U);
    EXPECT_TRUE(report.failed.contains("4.png"));
    EXPECT_EQ(tools.commands().size(), 5 * 3 + 1) << "the broken picture stops at its first step";
    std::vector<qsizetype> everyEntry(7);
    std::iota(everyEntry.begin(), everyEntry.end(), 0);
    EXPECT_EQ(report.entries, everyEntry);
    ASSERT_EQ(report.finished.size(), 6U);
    std::set<qsizetype> numbers;
    for (const BatchProgress& progress : report.progress) {
        EXPECT_LE(progress.inFlight.size(), 2U);
        EXPECT_EQ(progress.pictureCount, 6);
        for (const BatchProgress::Picture& picture : progress.inFlight)
            numbers.insert(picture.number);
    }
    EXPECT_EQ(numbers, (std::set<qsizetype>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(namesIn(output), (std::set<QByteArray>{"1.png", "2.jpg", "3.tif", "5.png", "6.jpg"}));
}

// Stop while the first picture is in flight, asked on the worker's own thread so that no other
// picture can start in between: that picture is finished, and no other starts.
TEST_F(BatchEngineTest, StopFinishesThePicturesInFlight) {
    for (const char* name : {"1.png", "2.png", "3.png", "4.png"})
        makePicture(in(name), QStringLiteral("png"));

    const RunReport report = run(2, [](BatchEngine& batch) {
        QObject::connect(
            &batch, &BatchEngine::progressChanged, &batch, [&batch] { batch.requestStop(); },
            Qt::DirectConnection);
    });

    ASSERT_EQ(report.finished.size(), 1U);
    EXPECT_TRUE(report.finished.front().converted);
    EXPECT_TRUE(report.failed.empty());
    EXPECT_EQ(namesIn(output), std::set<QByteArray>{report.finished.front().name});
}

// Abort ends the running tools at once: their pictures fail, none further starts, and no
// scratch file stays.
TEST_F(BatchEngineTest, AbortEndsTheRunningToolsAndLeavesNoScratchFile) {
    for (const char* name : {"1.png", "2.png", "3.png", "4.png"})
        makePicture(in(name), QStringLiteral("png"));
    tools.replaceStep = [](const QByteArray& command) -> std::optional<QByteArray> {
        if (command.contains("format jp2"))
            return QByteArray("exec /bin/sleep 60");
        return std::nullopt;
    };

    const RunReport report = run(2, [](BatchEngine& batch) {
        QTimer::singleShot(200, &batch, [&batch] { batch.abort(); });
    });

    EXPECT_EQ(report.failed.size(), 2U);
    for (const auto& [name, reason] : report.failed)
        EXPECT_EQ(reason, QStringLiteral("the image tool was stopped")) << name.toStdString();
    EXPECT_EQ(tools.commands().size(), 2U);
    EXPECT_TRUE(namesIn(output).empty());
}

// A last step ended by the abort after it had put its copy in place made a whole copy: the
// picture counts as converted, so the counts match the copies left.
TEST_F(BatchEngineTest, CopyInPlaceBeforeTheAbortCountsAsConverted) {
    makePicture(in("a.png"), QStringLiteral("png"));
    tools.replaceStep = [](const QByteArray& command) -> std::optional<QByteArray> {
        if (command.contains("--out \"") && !command.contains("format jp2"))
            return command + " && exec /bin/sleep 60";
        return std::nullopt;
    };

    const RunReport report = run(1, [this](BatchEngine& batch) {
        auto* poll = new QTimer(&batch);
        QObject::connect(poll, &QTimer::timeout, &batch, [this, &batch] {
            if (QFile::exists(QDir(output).filePath(QStringLiteral("a.png"))))
                batch.abort();
        });
        poll->start(10);
    });

    EXPECT_TRUE(report.failed.empty());
    ASSERT_EQ(report.finished.size(), 1U);
    EXPECT_TRUE(report.finished.front().converted);
    EXPECT_EQ(namesIn(output), std::set<QByteArray>{"a.png"});
}

// The same copies, byte for byte, whether one worker converts the folder or four.
TEST_F(BatchEngineTest, OneWorkerOrSeveralMakeTheSameCopies) {
    for (const char* name : {"a.png", "b.jpg", "c.tif", "dup.jpg", "dup.jpeg", "e.png", "f.jpg"})
        makePicture(in(name), formatOf(name), QStringLiteral("200x120"));
    const QString alone = root.filePath(QStringLiteral("alone"));
    const QString together = root.filePath(QStringLiteral("together"));
    QDir().mkpath(alone);
    QDir().mkpath(together);

    const RunReport one = run(1, {}, alone);
    const RunReport four = run(4, {}, together);

    EXPECT_EQ(one.failed, four.failed);
    EXPECT_EQ(one.failed.size(), 1U) << "one dup is reported";
    const std::set<QByteArray> names = namesIn(alone);
    ASSERT_EQ(names, namesIn(together));
    EXPECT_EQ(names.size(), 6U);
    for (const QByteArray& name : names) {
        QFile a(QDir(alone).filePath(QString::fromUtf8(name)));
        QFile b(QDir(together).filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        EXPECT_EQ(a.readAll(), b.readAll()) << name.toStdString();
    }
}

TEST(FolderIdentityTest, OneFolderUnderABindMountIsTheSameFolder) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "a bind mount needs root";
    const QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("src"));
    const QString alias = root.filePath(QStringLiteral("alias"));
    const QString other = root.filePath(QStringLiteral("other"));
    for (const QString& path : {folder, alias, other})
        QDir().mkpath(path);
    ASSERT_EQ(::mount(QFile::encodeName(folder).constData(), QFile::encodeName(alias).constData(),
                      nullptr, MS_BIND, nullptr),
              0);
    EXPECT_TRUE(isSameFolder(folder, alias));
    EXPECT_TRUE(isSameFolder(alias, folder));
    EXPECT_FALSE(isSameFolder(other, alias));
    ::umount(QFile::encodeName(alias).constData());
}

TEST(BatchTextsTest, ProgressAndFailureListAsTheUserReadsThem) {
    EXPECT_EQ(BatchTexts::progress({{{4, "name.jpg"}}, 12, 80s}),
              QStringLiteral("Converting 4 of 12: name.jpg, about 1 min 20 s left"));
    EXPECT_EQ(BatchTexts::progress({{{6, "b.jpg"}, {5, "a.jpg"}}, 40, std::nullopt}),
              QStringLiteral("Converting 5\u2013"
                             "6 of 40: b.jpg, a.jpg"));
    EXPECT_EQ(BatchTexts::progress({{{3, "c.jpg"}, {5, "e.jpg"}}, 40, 9s}),
              QStringLiteral("Converting 3, 5 of 40: c.jpg, e.jpg, about 9 s left"));
    EXPECT_FALSE(estimateTimeLeft(5s, 1, 12)) << "one picture tells too little";
    EXPECT_EQ(estimateTimeLeft(4s, 2, 12), 20s);
    EXPECT_EQ(estimateTimeLeft(4s, 12, 12), 0s);

    // Ten named, then a line for the rest, down to a single one.
    for (const auto& [count, last] :
         {std::pair{10, "10.jpg: bad"}, std::pair{11, "and 1 more"}, std::pair{12, "and 2 more"}}) {
        std::vector<PictureOutcome> failures;
        for (int number = 1; number <= count; ++number)
            failures.push_back(
                {QByteArray::number(number) + ".jpg", false, QStringLiteral("bad"), {}});
        const QStringList lines = BatchTexts::failureList(failures, 10).split(u'\n');
        EXPECT_EQ(lines.size(), std::min(count, 11)) << count;
        EXPECT_EQ(lines.front(), QStringLiteral("1.jpg: bad"));
        EXPECT_EQ(lines.back(), QString::fromLatin1(last)) << count;
    }
}

} // namespace
} // namespace plenwick::test
