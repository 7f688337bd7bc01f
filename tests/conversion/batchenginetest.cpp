#include "batchengine.h"

#include "qtprinters.h"
#include "scratchfile.h"
#include "scripteddesktopservices.h"
#include "testpictures.h"

#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

// Every name in a folder, hidden ones included, sorted.
QStringList namesIn(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

class BatchEngineTest : public testing::Test {
protected:
    BatchEngineTest() {
        QDir().mkpath(source);
        QDir().mkpath(output);
    }

    [[nodiscard]] QString in(const char* name) const {
        return source + u'/' + QString::fromUtf8(name);
    }

    // Converts the source folder at 300 DPI on `workers` workers through the recorded tools, and
    // handles the run's queued reports until it ends. `prepare` may connect to the engine first.
    // Returns the failures by name, with their reasons.
    std::map<QByteArray, QString> run(int workers = 2,
                                      const std::function<void(BatchEngine&)>& prepare = {},
                                      const QString& into = {}) {
        BatchEngine engine(planBatch(source, into.isEmpty() ? output : into).value(), workers,
                           [this] { return std::make_unique<RecordedBatchServices>(tools); });
        if (prepare)
            prepare(engine);
        QEventLoop loop;
        QObject::connect(&engine, &BatchEngine::finished, &loop, &QEventLoop::quit);
        engine.start(300);
        loop.exec();
        std::map<QByteArray, QString> failed;
        for (const PictureOutcome& failure : engine.failures())
            failed.emplace(failure.name, failure.reason);
        return failed;
    }

    QTemporaryDir root;
    const QString source = root.filePath(u"in"_s);
    const QString output = root.filePath(u"out"_s);
    ToolRecord tools;
};

// Step 2 killed: the picture stops there. Before, step 3 still wrote a copy with the source's
// old resolution and a hidden partial file stayed behind. A last step that exits 0 without
// writing the copy fails too.
TEST_F(BatchEngineTest, AFailedStepStopsItsPictureAndLeavesNothing) {
    makePicture(in("a.jpg"), u"jpeg"_s);
    const struct {
        const char* step; // what the faulted command line holds
        const char* replacement;
        size_t stepsRun;
        QString reason;
    } faults[] = {{"dpiHeight", "kill -KILL $$", 2, u"the image tool was stopped"_s},
                  {"--out \"", "true", 3, u"the image tool wrote no copy"_s}};
    for (const auto& fault : faults) {
        tools.clear();
        tools.replaceStep = [&fault](const QByteArray& command) -> std::optional<QByteArray> {
            if (command.contains(fault.step) && !command.contains("format jp2"))
                return QByteArray(fault.replacement);
            return std::nullopt;
        };

        const std::map<QByteArray, QString> failed = run();

        EXPECT_EQ(failed, (std::map<QByteArray, QString>{{"a.jpg", fault.reason}}));
        EXPECT_EQ(tools.commands().size(), fault.stepsRun) << "no step after the failed one";
        EXPECT_EQ(namesIn(output), QStringList());
    }
}

// Four times as many pictures as workers, a broken one among them: each picture is converted
// once, the broken one alone fails while the others go on, no more pictures are in flight than
// there are workers, and one worker makes the same copies byte for byte. dup.jpg and dup.jpeg
// both make dup.jpg: the first listed keeps it.
TEST_F(BatchEngineTest, MorePicturesThanWorkersEachConvertedOnceAndAsByOneWorker) {
    for (const char* name : {"1.png", "2.jpg", "3.tif", "5.png", "6.jpg"})
        makePicture(in(name), QFileInfo(in(name)).suffix(), u"300x200"_s);
    makePicture(in("dup.jpg"), u"jpeg"_s, u"10x8"_s);
    makePicture(in("dup.jpeg"), u"jpeg"_s, u"30x8"_s);
    writeText(in("4.png"));
    writeText(in("notes.txt"));
    const QString alone = root.filePath(u"alone"_s);
    QDir().mkpath(alone);
    const std::map<QByteArray, QString> one = run(1, {}, alone);
    tools.clear();

    const std::map<QByteArray, QString> failed = run(2);

    EXPECT_EQ(tools.mostAtOnce(), 2);
    EXPECT_EQ(tools.commands().size(), 6 * 3 + 1) << "the broken picture stops at its first step";
    ASSERT_EQ(failed.size(), 2U);
    EXPECT_TRUE(failed.contains("4.png"));
    const QString kept = failed.contains("dup.jpg") ? u"dup.jpeg"_s : u"dup.jpg"_s;
    EXPECT_EQ(failed.rbegin()->second,
              u"its copy dup.jpg is already made from %1 in this run"_s.arg(kept));
    EXPECT_EQ(QImage(output + u"/dup.jpg"_s).width(), kept == u"dup.jpg" ? 10 : 30);
    EXPECT_EQ(one, failed);
    EXPECT_EQ(namesIn(output).join(u' '), u"1.png 2.jpg 3.tif 5.png 6.jpg dup.jpg"_s);
    EXPECT_EQ(QProcess::execute(u"diff"_s, {u"-r"_s, alone, output}), 0) << "copies differ";
}

// Stop while the first picture is in flight, asked on the worker's own thread so that no other
// picture can start in between: that picture is finished, and no other starts.
TEST_F(BatchEngineTest, StopFinishesThePicturesInFlight) {
    for (const char* name : {"1.png", "2.png", "3.png", "4.png"})
        makePicture(in(name), u"png"_s);

    const std::map<QByteArray, QString> failed = run(2, [](BatchEngine& batch) {
        QObject::connect(
            &batch, &BatchEngine::progressChanged, &batch, [&batch] { batch.requestStop(); },
            Qt::DirectConnection);
    });

    EXPECT_TRUE(failed.empty());
    EXPECT_EQ(namesIn(output).size(), 1) << "one picture finished, no other started";
}

// Abort ends the running tools at once: a picture whose copy is not in place yet fails, one whose
// last step had already put its copy in place counts as converted, none further starts, and no
// scratch file stays.
TEST_F(BatchEngineTest, AbortEndsTheRunningToolsAndLeavesNoScratchFile) {
    for (const char* name : {"1.png", "2.png", "3.png", "4.png"})
        makePicture(in(name), u"png"_s);
    // The first picture's first step holds one worker; every last step holds the other once its
    // copy is there.
    std::atomic_bool held = false;
    tools.replaceStep = [&held](const QByteArray& command) -> std::optional<QByteArray> {
        if (command.contains("format jp2") && !held.exchange(true))
            return QByteArray("exec /bin/sleep 60");
        if (command.contains("--out \"") && !command.contains("format jp2"))
            return command + " && exec /bin/sleep 60";
        return std::nullopt;
    };

    const std::map<QByteArray, QString> failed = run(2, [this](BatchEngine& batch) {
        auto* poll = new QTimer(&batch);
        QObject::connect(poll, &QTimer::timeout, &batch, [this, &batch] {
            if (!QDir(output).entryList(QDir::Files).isEmpty())
                batch.abort();
        });
        poll->start(10);
    });

    ASSERT_EQ(failed.size(), 1U);
    EXPECT_EQ(failed.begin()->second, u"the image tool was stopped"_s);
    EXPECT_EQ(tools.commands().size(), 1U + 3U);
    const QStringList left = namesIn(output);
    ASSERT_EQ(left.size(), 1) << "no scratch file";
    EXPECT_FALSE(failed.contains(left.front().toUtf8()));
}

// The output folder renamed and a link to the source folder put in its place while the first
// picture is converted: the run stops with the reason, no source picture is overwritten, nothing
// is written into the source folder, and the scratch file goes from the folder where it was made.
TEST_F(BatchEngineTest, AnOutputFolderSwappedForALinkMidRunGetsNothingMore) {
    for (const char* name : {"1.png", "2.png", "3.png"})
        makePicture(in(name), u"png"_s);
    const QString moved = root.filePath(u"moved"_s);
    tools.replaceStep = [&](const QByteArray& command) -> std::optional<QByteArray> {
        if (command.contains("dpiHeight") && !QFileInfo(output).isSymLink()) {
            EXPECT_TRUE(QDir().rename(output, moved));
            EXPECT_TRUE(QFile::link(source, output));
        }
        return std::nullopt;
    };

    const std::map<QByteArray, QString> failed = run(1);

    EXPECT_EQ(failed.size(), 3U);
    EXPECT_EQ(tools.commands().size(), 2U) << "no step after the swap, so no copy written";
    for (const auto& [name, reason] : failed)
        EXPECT_EQ(reason, u"the output folder was moved or replaced during the run"_s);
    EXPECT_EQ(namesIn(moved), QStringList());
    EXPECT_EQ(namesIn(source).join(u' '), u"1.png 2.png 3.png"_s);
}

// Scratch files of killed runs, with or without their lock file, are cleared by the next run in
// the folder; those of a run still going, which holds their lock, and the user's own files are
// not.
TEST_F(BatchEngineTest, ARunClearsScratchFilesNoLiveRunHolds) {
    makePicture(in("a.png"), u"png"_s);
    for (const char* left :
         {".plenwick-dead01.jp2", ".plenwick-dead01.lock", ".plenwick-dead02.jp2",
          ".plenwick-dead03.lock", ".plenwick-notes.txt"})
        writeText(output + u'/' + QString::fromLatin1(left));
    const OutputFolderPin pin(QFile::encodeName(output));
    const std::variant<ScratchFile, QString> live = ScratchFile::claim(pin);
    ASSERT_TRUE(std::holds_alternative<ScratchFile>(live));
    const QString liveBase = QString::fromUtf8(std::get<ScratchFile>(live).base());

    EXPECT_TRUE(run(1).empty());

    QStringList kept{liveBase + u".jp2", liveBase + u".lock", u".plenwick-notes.txt"_s, u"a.png"_s};
    kept.sort();
    EXPECT_EQ(namesIn(output), kept);
}

// photo.jpg and PHOTO.jpg make two copies where letter case counts, and one file on exFAT: there
// the first listed keeps it and the other is reported, as dup.jpg and dup.jpeg are everywhere.
TEST_F(BatchEngineTest, CopyNamesThatDifferInCaseCollideOnlyWhereTheDiskFoldsCase) {
    makePicture(in("photo.jpg"), u"jpeg"_s, u"10x8"_s);
    makePicture(in("PHOTO.jpg"), u"jpeg"_s, u"20x8"_s);
    EXPECT_TRUE(run().empty());
    EXPECT_EQ(namesIn(output).join(u' '), u"PHOTO.jpg photo.jpg"_s);

    // An exFAT file system, as on a USB stick: an image file on a loop device, mounted through
    // FUSE. It needs root, loop devices and FUSE; the tools say why it is not there.
    const QString stick = root.filePath(u"stick"_s);
    const auto unmount = qScopeGuard([&stick] {
        QProcess::execute(u"sh"_s, {u"-c"_s,
                                    u"umount \"$1\"; losetup -j \"$1.img\" -nO NAME | xargs -r "
                                    "-n1 losetup -d"_s,
                                    u"sh"_s, stick});
    });
    if (QProcess::execute(u"sh"_s, {u"-ec"_s,
                                    u"mkdir \"$1\"; truncate -s 8M \"$1.img\"; mkfs.exfat "
                                    "\"$1.img\"; mount.exfat-fuse \"$(losetup -f --show "
                                    "\"$1.img\")\" \"$1\""_s,
                                    u"sh"_s, stick}) != 0)
        GTEST_SKIP() << "no exFAT disk here";

    const std::map<QByteArray, QString> failed = run(2, {}, stick);

    ASSERT_EQ(failed.size(), 1U);
    const auto& [second, reason] = *failed.begin();
    const QString first = second == "photo.jpg" ? u"PHOTO.jpg"_s : u"photo.jpg"_s;
    EXPECT_EQ(reason, u"its copy %1 is already made from %2 in this run"_s.arg(
                          QString::fromUtf8(second), first));
    EXPECT_EQ(namesIn(stick), QStringList{first}) << "the probe and the scratch files are gone";
    EXPECT_EQ(QImage(stick + u'/' + first).width(), first == u"photo.jpg" ? 10 : 20);
}

} // namespace
} // namespace plenwick::test
