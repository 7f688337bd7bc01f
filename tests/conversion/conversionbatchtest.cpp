#include "conversionbatch.h"

#include "batchtexts.h"
#include "folderidentity.h"
#include "scripteddesktopservices.h"
#include "testpictures.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <dirent.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plenwick::test {
namespace {

using namespace std::chrono_literals;

// Every name in a folder as the file system holds it.
std::set<QByteArray> namesIn(const QString& folder) {
    std::set<QByteArray> names;
    DIR* directory = ::opendir(QFile::encodeName(folder).constData());
    if (directory == nullptr)
        return names;
    while (const dirent* entry = ::readdir(directory)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.insert(name);
    }
    ::closedir(directory);
    return names;
}

class ConversionBatchTest : public testing::Test {
protected:
    ConversionBatchTest()
        : source(root.filePath(QStringLiteral("in")))
        , output(root.filePath(QStringLiteral("out"))) {
        QDir().mkpath(source);
        QDir().mkpath(output);
    }

    [[nodiscard]] QString in(const char* name) const {
        return QDir(source).filePath(QString::fromUtf8(name));
    }

    // Runs the whole folder; answers the pictures not converted, by name, with their reasons.
    std::map<QByteArray, QString> run(const ConversionBatch::Callbacks& extra = {}) {
        std::optional<BatchPlan> plan = planBatch(source, output);
        EXPECT_TRUE(plan.has_value());
        if (!plan)
            return {};
        batch = std::make_unique<ConversionBatch>(std::move(*plan), services);
        ConversionBatch::Callbacks callbacks = extra;
        callbacks.dpi = [] {
            return 300;
        };
        std::map<QByteArray, QString> failed;
        for (const PictureOutcome& failure : batch->run(callbacks))
            failed.emplace(failure.name, failure.reason);
        return failed;
    }

    QTemporaryDir root;
    QString source;
    QString output;
    ScriptedDesktopServices services;
    std::unique_ptr<ConversionBatch> batch;
};

// Step 2 killed: the picture stops there. Before, step 3 still wrote a copy with the source's
// old resolution and a hidden partial file stayed behind. A last step that exits 0 without
// writing the copy fails too.
TEST_F(ConversionBatchTest, AFailedStepStopsItsPictureAndLeavesNothing) {
    makePicture(in("a.jpg"), QStringLiteral("jpeg"));
    struct Fault {
        const char* step; // what the faulted command line holds
        const char* replacement;
        size_t stepsRun;
        QString reason;
    };
    const Fault faults[] = {{"dpiHeight", "kill -KILL $$", 2, BatchTexts::toolStopped()},
                            {"--out \"", "true", 3, BatchTexts::noCopyWritten()}};
    for (const Fault& fault : faults) {
        services.commands.clear();
        services.replaceStep = [&fault](const QByteArray& command) -> std::optional<QByteArray> {
            if (command.contains(fault.step) && !command.contains("format jp2"))
                return QByteArray(fault.replacement);
            return std::nullopt;
        };

        const std::map<QByteArray, QString> failed = run();

        ASSERT_TRUE(failed.contains("a.jpg")) << fault.step;
        EXPECT_EQ(failed.at("a.jpg"), fault.reason);
        EXPECT_EQ(services.commands.size(), fault.stepsRun) << "no step after the failed one";
        EXPECT_TRUE(namesIn(output).empty());
    }
}

// A FIFO, a folder, a dangling link: none is a picture, none is opened; a link to a picture is.
// Names are listed whatever their bytes, matched in any letter case, named as the families say.
TEST_F(ConversionBatchTest, RegularFilesAndLinksToThemOfAnyNameArePictures) {
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

    const std::map<QByteArray, QString> failed = run();

    EXPECT_TRUE(failed.empty());
    EXPECT_EQ(batch->plan().pictures.size(), 5U);
    EXPECT_EQ(namesIn(output),
              (std::set<QByteArray>{latin1Name, "Photo.jpg", "scan.Tiff", "a.Png", "linked.png"}));
}

// dup.jpg, dup.JPG and dup.jpeg all make dup.jpg: the first listed keeps it, the others are
// reported; a file that was there before the run is replaced as always.
TEST_F(ConversionBatchTest, ACopyOfTheRunIsNeverOverwrittenByAnother) {
    const std::map<QByteArray, int> widths{{"dup.jpg", 10}, {"dup.JPG", 20}, {"dup.jpeg", 30}};
    for (const auto& [name, width] : widths)
        makePicture(in(name.constData()), QStringLiteral("jpeg"),
                    QStringLiteral("%1x8").arg(width));
    makePicture(in("old.png"), QStringLiteral("png"), QStringLiteral("40x8"));
    writeText(QDir(output).filePath(QStringLiteral("old.png")), "from an earlier day");

    const std::map<QByteArray, QString> failed = run();

    const PictureJob& first = batch->plan().pictures.front().name.startsWith("dup")
                                  ? batch->plan().pictures.front()
                                  : batch->plan().pictures.at(1);
    ASSERT_EQ(failed.size(), 2U);
    for (const auto& [name, reason] : failed) {
        EXPECT_TRUE(name.startsWith("dup.")) << name.toStdString();
        EXPECT_NE(name, first.name);
        EXPECT_EQ(reason, BatchTexts::copyNameTaken("dup.jpg", first.name));
    }
    EXPECT_EQ(QImage(QDir(output).filePath(QStringLiteral("dup.jpg"))).width(),
              widths.at(first.name));
    EXPECT_EQ(QImage(QDir(output).filePath(QStringLiteral("old.png"))).width(), 40);
}

// A folder gone in the middle of a run: every picture after that is listed, with the reason.
TEST_F(ConversionBatchTest, AnOutputFolderRemovedMidRunFailsEveryLaterPicture) {
    for (const char* name : {"1.png", "2.png", "3.png"})
        makePicture(in(name), QStringLiteral("png"));
    ConversionBatch::Callbacks callbacks;
    callbacks.pictureFinished = [this](const PictureOutcome&) {
        QDir(output).removeRecursively();
    };

    const std::map<QByteArray, QString> failed = run(callbacks);

    EXPECT_EQ(failed.size(), 2U);
    for (const auto& [name, reason] : failed)
        EXPECT_EQ(reason,
                  BatchTexts::outputFolderNotWritable(QStringLiteral("No such file or directory")));
}

// Read-only and full folders need a file system of their own, which only root may mount.
TEST_F(ConversionBatchTest, AReadOnlyOrFullOutputFolderFailsEveryUnwrittenPicture) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a read-only or a tiny file system needs root";
    for (const char* name : {"1.png", "2.png"})
        makePicture(in(name), QStringLiteral("png"), QStringLiteral("400x400"));
    const QByteArray target = QFile::encodeName(output);
    for (const char* options : {"size=64k,ro", "size=4k"}) {
        ASSERT_EQ(::mount("tmpfs", target.constData(), "tmpfs", 0, options), 0) << options;
        const std::map<QByteArray, QString> failed = run();
        ::umount(target.constData());
        EXPECT_EQ(failed.size(), 2U) << options;
        for (const auto& [name, reason] : failed)
            EXPECT_FALSE(reason.isEmpty()) << options;
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
    EXPECT_EQ(BatchTexts::progress({4, 12, "name.jpg", 80s}),
              QStringLiteral("Converting 4 of 12: name.jpg (about 1 min 20 s left)"));
    EXPECT_FALSE(estimateTimeLeft(5s, 1, 12)) << "one picture tells too little";
    EXPECT_EQ(estimateTimeLeft(4s, 2, 12), 20s);
    EXPECT_EQ(estimateTimeLeft(4s, 12, 12), 0s);

    std::vector<PictureOutcome> failures;
    for (int number = 1; number <= 12; ++number)
        failures.push_back({QByteArray::number(number) + ".jpg", false, QStringLiteral("bad")});
    const QStringList lines = BatchTexts::failureList(failures, 10).split(u'\n');
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines.front(), QStringLiteral("1.jpg: bad"));
    EXPECT_EQ(lines.back(), QStringLiteral("and 2 more"));
    failures.resize(10);
    EXPECT_EQ(BatchTexts::failureList(failures, 10).split(u'\n').size(), 10);
}

} // namespace
} // namespace plenwick::test
