#include "batchplan.h"

#include "casefolding.h"
#include "scratchfile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace plenwick {

namespace {

struct DirectoryCloser final {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

QByteArray folderBytes(const QString& path) {
    QByteArray bytes = QFile::encodeName(path);
    while (bytes.size() > 1 && bytes.endsWith('/'))
        bytes.chop(1);
    return bytes;
}

} // namespace

bool isRegularFile(const QByteArray& path) {
    struct stat status {};
    return ::stat(path.constData(), &status) == 0 && S_ISREG(status.st_mode);
}

std::optional<BatchPlan> planBatch(const QString& sourceFolder, const QString& outputFolder) {
    BatchPlan plan{folderBytes(QFileInfo(sourceFolder).absoluteFilePath()),
                   folderBytes(outputFolder),
                   0,
                   {},
                   nullptr};
    const std::unique_ptr<DIR, DirectoryCloser> directory(::opendir(plan.sourceFolder.constData()));
    if (!directory)
        return std::nullopt;
    plan.outputPin = std::make_shared<const OutputFolderPin>(plan.outputFolder);
    removeAbandonedScratchFiles(*plan.outputPin);
    const bool foldsCase = foldsLetterCase(*plan.outputPin);

    QHash<QByteArray, QByteArray> copyMakers; // copy name as compared -> the picture making it
    while (const dirent* entry = ::readdir(directory.get())) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const qsizetype index = plan.entryCount++;
        const std::optional<PictureFamily> family = pictureFamily(splitEntryName(name).extension);
        if (!family || !isRegularFile(plan.sourceFolder + '/' + name))
            continue;
        PictureJob job{index, name, *family, copyName(name, *family), std::nullopt};
        const QByteArray compared = foldsCase ? caseFolded(job.copyName) : job.copyName;
        const auto maker = copyMakers.constFind(compared);
        if (maker != copyMakers.cend())
            job.copyNameTakenBy = *maker;
        else
            copyMakers.insert(compared, name);
        plan.pictures.push_back(std::move(job));
    }
    return plan;
}

} // namespace plenwick
