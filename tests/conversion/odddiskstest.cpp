#include "batchengine.h"
#include "enginerun.h"
#include "folderidentity.h"
#include "qtprinters.h"
#include "scratchfile.h"
#include "scripteddesktopservices.h"
#include "testpictures.h"

#include <QCryptographicHash>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

// Why the command failed, or nothing when it succeeded.
QString failureOf(const QString& program, const QStringList& arguments, QString* output = nullptr) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return program + u": " + QString::fromLocal8Bit(process.readAllStandardError()).trimmed() +
               process.errorString();
    if (output != nullptr)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return {};
}

// An exFAT file system, as on a USB stick, in an image file on a loop device, mounted through
// FUSE. `unavailable` says why there is none: it needs root, loop devices and FUSE.
class ExfatStick final {
public:
    explicit ExfatStick(const QString& folder)
        : folder(folder) {
        if (::geteuid() != 0) {
            unavailable = u"mounting a disk image needs root"_s;
            return;
        }
        const QString image = folder + u".img";
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(8 << 20)) {
            unavailable = file.errorString();
            return;
        }
        file.close();
        QDir().mkpath(folder);
        unavailable = failureOf(u"mkfs.exfat"_s, {image});
        if (unavailable.isEmpty())
            unavailable = failureOf(u"losetup"_s, {u"-f"_s, u"--show"_s, image}, &device);
        if (unavailable.isEmpty())
            unavailable = failureOf(u"mount.exfat-fuse"_s, {device, folder});
        mounted = unavailable.isEmpty();
    }
    ~ExfatStick() {
        if (mounted)
            ::umount(QFile::encodeName(folder).constData());
        if (!device.isEmpty())
            static_cast<void>(failureOf(u"losetup"_s, {u"-d"_s, device}));
    }
    ExfatStick(const ExfatStick&) = delete;
    ExfatStick& operator=(const ExfatStick&) = delete;

    QString unavailable;

private:
    QString folder;
    QString device;
    bool mounted = false;
};

class OddDiskTest : public testing::Test {
protected:
    OddDiskTest() { QDir().mkpath(source); }

    [[nodiscard]] QString in(const QString& name) const { return source + u'/' + name; }

    QTemporaryDir root;
    QString source = root.filePath(u"in"_s);
    ToolRecord tools;
};

// photo.jpg and PHOTO.jpg make two copies where letter case counts, and one file on exFAT: there
// the first listed keeps it and the other is reported, as dup.jpg and dup.jpeg are everywhere.
TEST_F(OddDiskTest, CopyNamesThatDifferInCaseCollideOnlyWhereTheDiskFoldsCase) {
    makePicture(in(u"photo.jpg"_s), u"jpeg"_s, u"10x8"_s);
    makePicture(in(u"PHOTO.jpg"_s), u"jpeg"_s, u"20x8"_s);
    const QString kept = root.filePath(u"kept"_s);
    QDir().mkpath(kept);
    const std::optional<BatchPlan> keptPlan = planBatch(source, kept);
    ASSERT_TRUE(keptPlan);
    for (const PictureJob& job : keptPlan->pictures)
        EXPECT_FALSE(job.copyNameTakenBy) << job.name.toStdString();

    const QString stick = root.filePath(u"stick"_s);
    const ExfatStick mount(stick);
    if (!mount.unavailable.isEmpty())
        GTEST_SKIP() << "no exFAT disk: " << mount.unavailable.toStdString();
    std::optional<BatchPlan> plan = planBatch(source, stick);
    ASSERT_TRUE(plan);
    const PictureJob first = plan->pictures.at(0);
    const PictureJob second = plan->pictures.at(1);

    const std::map<QByteArray, QString> failed = runEngine(std::move(*plan), tools, 2).failed;

    ASSERT_EQ(failed.size(), 1U);
    EXPECT_EQ(failed.at(second.name),
              u"its copy %1 is already made from %2 in this run"_s.arg(
                  QString::fromUtf8(second.copyName), QString::fromUtf8(first.name)));
    EXPECT_EQ(namesIn(stick), std::set<QByteArray>{first.copyName})
        << "the probe and the scratch files are gone";
    EXPECT_EQ(QImage(stick + u'/' + QString::fromUtf8(first.copyName)).width(),
              first.name == "photo.jpg" ? 10 : 20);
}

// The output folder renamed and a link to the source folder put in its place while the first
// picture is converted: the run stops with the reason, no source picture is overwritten, nothing
// is written into the source folder, and the scratch file goes from the folder where it was made.
TEST_F(OddDiskTest, AnOutputFolderSwappedForALinkMidRunGetsNothingMore) {
    std::map<QString, QByteArray> digests;
    for (const QString& name : {u"1.png"_s, u"2.png"_s, u"3.png"_s}) {
        makePicture(in(name), u"png"_s);
        QFile picture(in(name));
        ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
        digests[name] = QCryptographicHash::hash(picture.readAll(), QCryptographicHash::Sha256);
    }
    const QString output = root.filePath(u"out"_s);
    const QString moved = root.filePath(u"moved"_s);
    QDir().mkpath(output);
    std::optional<BatchPlan> plan = planBatch(source, output);
    ASSERT_TRUE(plan);
    tools.replaceStep = [&](const QByteArray& command) -> std::optional<QByteArray> {
        if (command.contains("dpiHeight") && !QFileInfo(output).isSymLink()) {
            EXPECT_TRUE(QDir().rename(output, moved));
            EXPECT_TRUE(QFile::link(source, output));
        }
        return std::nullopt;
    };

    const std::map<QByteArray, QString> failed = runEngine(std::move(*plan), tools, 1).failed;

    EXPECT_EQ(failed.size(), 3U);
    EXPECT_EQ(tools.commands().size(), 2U) << "no step after the swap";
    for (const auto& [name, reason] : failed)
        EXPECT_EQ(reason, u"the output folder was moved or replaced during the run"_s)
            << name.toStdString();
    EXPECT_TRUE(namesIn(moved).empty());
    EXPECT_EQ(namesIn(source), (std::set<QByteArray>{"1.png", "2.png", "3.png"}));
    for (const auto& [name, digest] : digests) {
        QFile picture(in(name));
        ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
        EXPECT_EQ(QCryptographicHash::hash(picture.readAll(), QCryptographicHash::Sha256), digest)
            << name.toStdString();
    }
}

// Scratch files of killed runs, with or without their lock file, are cleared by the next run in
// the folder; those of a run still going, which holds their lock, and the user's own files are
// not.
TEST_F(OddDiskTest, ARunClearsScratchFilesNoLiveRunHolds) {
    makePicture(in(u"a.png"_s), u"png"_s);
    const QString output = root.filePath(u"out"_s);
    QDir().mkpath(output);
    for (const char* left : {".plenwick-dead01.jp2", ".plenwick-dead01.lock",
                             ".plenwick-dead02.jp2", ".plenwick-dead03.lock"})
        writeText(output + u'/' + QString::fromLatin1(left));
    writeText(output + u"/.plenwick-notes.txt"_s);
    const OutputFolderPin pin(QFile::encodeName(output));
    const std::variant<ScratchFile, QString> live = ScratchFile::claim(pin);
    ASSERT_TRUE(std::holds_alternative<ScratchFile>(live));
    const QByteArray liveBase = std::get<ScratchFile>(live).base();

    const std::optional<BatchPlan> plan = planBatch(source, output);
    ASSERT_TRUE(plan);
    EXPECT_TRUE(runEngine(*plan, tools, 1).failed.empty());

    EXPECT_EQ(namesIn(output), (std::set<QByteArray>{"a.png", ".plenwick-notes.txt",
                                                     liveBase + ".jp2", liveBase + ".lock"}));
}

// The roots of two disks often share an inode number; they are still two folders.
TEST(FolderIdentityTest, TheRootsOfTwoDisksAreTwoFolders) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting needs root";
    const QTemporaryDir root;
    const QByteArray first = QFile::encodeName(root.filePath(u"sd-card"_s));
    const QByteArray second = QFile::encodeName(root.filePath(u"usb-stick"_s));
    for (const QByteArray& folder : {first, second}) {
        ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
        ASSERT_EQ(::mount("tmpfs", folder.constData(), "tmpfs", 0, "size=64k"), 0);
    }
    struct stat firstStatus {};
    struct stat secondStatus {};
    ASSERT_EQ(::stat(first.constData(), &firstStatus), 0);
    ASSERT_EQ(::stat(second.constData(), &secondStatus), 0);

    EXPECT_EQ(firstStatus.st_ino, secondStatus.st_ino) << "the case this test is about";
    EXPECT_FALSE(isSameFolder(QFile::decodeName(first), QFile::decodeName(second)));
    for (const QByteArray& folder : {first, second})
        ::umount(folder.constData());
}

} // namespace
} // namespace plenwick::test
