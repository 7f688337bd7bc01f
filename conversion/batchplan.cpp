#include "batchplan.h"

#include "batchtexts.h"
#include "casefolding.h"
#include "scratchfile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <system_error>

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

// The tool runs inside the output folder, so a source is named from the root.
QByteArray absoluteBytes(const QString& path) {
    return folderBytes(QFileInfo(path).absoluteFilePath());
}

// A folder by identity, whatever the path that reaches it.
struct FolderIdentity final {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FolderIdentity&) const = default;
};

std::optional<FolderIdentity> identityOf(const QByteArray& path) {
    struct stat status {};
    if (::stat(path.constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return std::nullopt;
    return FolderIdentity{status.st_dev, status.st_ino};
}

// What the copies of one output folder are checked against, shared by the folders whose copies
// go there.
struct OutputFolderState final {
    std::shared_ptr<const OutputFolderPin> pin;
    bool foldsCase = false;
    QHash<QByteArray, QByteArray> copyMakers; // copy name as compared -> the picture making it
};

// Builds a plan folder by folder: first every source is listed, then the output folders are
// checked, made and pinned, and then each picture's copy name is settled.
class Planner final {
public:
    Planner(const QByteArray& outputFolder, const PlanOptions& options)
        : outputFolder(outputFolder)
        , options(options)
        , outputIdentity(identityOf(outputFolder)) {
        plan.letterCaseProbed = !options.dryRun;
    }

    // Lists the folder, and its subfolders when recursive; the system's reason when the folder
    // itself cannot be listed.
    std::optional<QString> listFolder(const QByteArray& source, const QByteArray& output,
                                      const QByteArray& prefix) {
        const std::unique_ptr<DIR, DirectoryCloser> directory(::opendir(source.constData()));
        struct stat status {};
        if (!directory || ::fstat(::dirfd(directory.get()), &status) != 0)
            return QString::fromLocal8Bit(std::strerror(errno));
        const FolderIdentity identity{status.st_dev, status.st_ino};
        const std::size_t folder = plan.folders.size();
        plan.folders.push_back({source, output, prefix, nullptr});
        const std::size_t picturesBefore = plan.pictures.size();

        // The folder itself counts among those on the path: a bind mount of it inside it loops.
        onPath.push_back(identity);
        std::vector<QByteArray> subfolders;
        while (const dirent* entry = ::readdir(directory.get())) {
            const QByteArray name(entry->d_name);
            if (name == "." || name == "..")
                continue;
            const qsizetype index = plan.entryCount++;
            const QByteArray path = source + '/' + name;
            struct stat link {};
            struct stat target {};
            const bool linked = ::lstat(path.constData(), &link) == 0;
            const bool isLink = linked && S_ISLNK(link.st_mode);
            if (linked &&
                (S_ISDIR(link.st_mode) ||
                 (isLink && ::stat(path.constData(), &target) == 0 && S_ISDIR(target.st_mode)))) {
                if (const std::optional<LeftAloneReason> reason = folderLeftAlone(link, isLink))
                    plan.leftAlone.push_back({prefix + name, *reason, QString()});
                else
                    subfolders.push_back(name);
                continue;
            }
            addEntry(folder, index, name, prefix + name);
        }
        if (plan.pictures.size() > picturesBefore)
            sourceIdentities.push_back(identity);
        for (const QByteArray& name : subfolders) {
            if (const std::optional<QString> error =
                    listFolder(source + '/' + name, output + '/' + name, prefix + name + '/'))
                plan.leftAlone.push_back({prefix + name, LeftAloneReason::Unreadable, *error});
        }
        onPath.pop_back();
        return std::nullopt;
    }

    // A single file given by its path, shown as the user gave it: its copy goes straight into
    // the output folder.
    void addFile(const QByteArray& absolutePath, const QByteArray& shown) {
        const qsizetype slash = absolutePath.lastIndexOf('/');
        const QByteArray source = slash == 0 ? QByteArray("/") : absolutePath.left(slash);
        const std::size_t folder = plan.folders.size();
        plan.folders.push_back(
            {source, outputFolder, shown.left(shown.lastIndexOf('/') + 1), nullptr});
        const std::size_t picturesBefore = plan.pictures.size();
        addEntry(folder, plan.entryCount++, absolutePath.mid(slash + 1), shown);
        if (plan.pictures.size() > picturesBefore) {
            if (const std::optional<FolderIdentity> identity = identityOf(source))
                sourceIdentities.push_back(*identity);
        }
    }

    // Why the run would write copies into a folder its pictures are taken from, if it would.
    [[nodiscard]] std::optional<QString> copiesOverSources() const {
        std::optional<std::size_t> checked;
        for (const PictureJob& job : plan.pictures) {
            if (checked == job.folder)
                continue; // the pictures come folder by folder
            checked = job.folder;
            const PlannedFolder& folder = plan.folders[job.folder];
            const std::optional<FolderIdentity> output = identityOf(folder.outputFolder);
            if (output && std::ranges::find(sourceIdentities, *output) != sourceIdentities.end())
                return BatchTexts::copiesIntoSourceFolder(
                    BatchTexts::displayName(folder.sourceFolder),
                    BatchTexts::displayName(folder.outputFolder));
        }
        return std::nullopt;
    }

    // Makes and pins the output folders that get copies, the output folder itself always, then
    // settles each picture's copy name in its output folder.
    void settleCopies() {
        pinOutputFolders();
        settleCopyNames();
    }

    BatchPlan plan;

private:
    void pinOutputFolders() {
        // A folder where every copy is there already and kept gets no probe file: such a run
        // changes nothing there.
        QSet<QByteArray> getCopies;
        std::vector<bool> hasPictures(plan.folders.size(), false);
        for (const PictureJob& job : plan.pictures) {
            hasPictures[job.folder] = true;
            struct stat status {};
            if (!options.skipExisting || ::lstat(copyPath(plan, job).constData(), &status) != 0)
                getCopies.insert(plan.folders[job.folder].outputFolder);
        }
        for (std::size_t index = 0; index < plan.folders.size(); ++index) {
            PlannedFolder& folder = plan.folders[index];
            if (index == 0 || hasPictures[index])
                folder.outputPin =
                    prepare(folder.outputFolder, getCopies.contains(folder.outputFolder) ||
                                                     (index == 0 && !options.skipExisting))
                        .pin;
        }
    }

    // A name taken by an earlier picture of the run is reported, not overwritten; a copy there
    // already is kept apart when asked.
    void settleCopyNames() {
        std::vector<PictureJob> converted;
        for (PictureJob& job : plan.pictures) {
            const PlannedFolder& folder = plan.folders[job.folder];
            OutputFolderState& output = outputs[folder.outputFolder];
            const QByteArray compared = output.foldsCase ? caseFolded(job.copyName) : job.copyName;
            const auto maker = output.copyMakers.constFind(compared);
            if (maker != output.copyMakers.cend())
                job.copyNameTakenBy = *maker;
            else
                output.copyMakers.insert(compared, shownName(plan, job));
            struct stat status {};
            const bool copyThere = ::lstat(copyPath(plan, job).constData(), &status) == 0;
            if (options.skipExisting && !job.copyNameTakenBy && copyThere)
                plan.keptCopies.push_back(std::move(job));
            else
                converted.push_back(std::move(job));
        }
        plan.pictures = std::move(converted);
    }

    [[nodiscard]] std::optional<LeftAloneReason> folderLeftAlone(const struct stat& link,
                                                                 bool isLink) const {
        if (!options.recursive)
            return LeftAloneReason::Folder;
        if (isLink)
            return LeftAloneReason::LinkToFolder;
        const FolderIdentity identity{link.st_dev, link.st_ino};
        if (outputIdentity == identity)
            return LeftAloneReason::OutputFolder;
        if (std::ranges::find(onPath, identity) != onPath.end())
            return LeftAloneReason::FolderOnPath;
        return std::nullopt;
    }

    void addEntry(std::size_t folder, qsizetype index, const QByteArray& name,
                  const QByteArray& shown) {
        const std::optional<PictureFamily> family = pictureFamily(splitEntryName(name).extension);
        if (!family)
            plan.leftAlone.push_back({shown, LeftAloneReason::NotAPictureName, QString()});
        else if (!isRegularFile(plan.folders[folder].sourceFolder + '/' + name))
            plan.leftAlone.push_back({shown, LeftAloneReason::NotARegularFile, QString()});
        else
            plan.pictures.push_back(
                {index, name, *family, copyName(name, *family), std::nullopt, folder});
    }

    // The output folder made, pinned, cleared of killed runs' scratch files and probed when
    // asked, once; in a dry run left as it is.
    OutputFolderState& prepare(const QByteArray& folder, bool probe) {
        const auto known = outputs.find(folder);
        if (known != outputs.end())
            return *known;
        OutputFolderState state;
        if (!options.dryRun) {
            // A folder that cannot be made fails its pictures with the pin's reason.
            std::error_code ignored;
            std::filesystem::create_directories(folder.toStdString(), ignored);
            state.pin = std::make_shared<const OutputFolderPin>(folder);
            removeAbandonedScratchFiles(*state.pin);
            state.foldsCase = probe && foldsLetterCase(*state.pin);
        }
        return *outputs.insert(folder, std::move(state));
    }

    QByteArray outputFolder;
    PlanOptions options;
    std::optional<FolderIdentity> outputIdentity;
    std::vector<FolderIdentity> onPath;           // the folders above the one being listed
    std::vector<FolderIdentity> sourceIdentities; // the folders pictures are taken from
    QHash<QByteArray, OutputFolderState> outputs;
};

} // namespace

bool isRegularFile(const QByteArray& path) {
    struct stat status {};
    return ::stat(path.constData(), &status) == 0 && S_ISREG(status.st_mode);
}

QByteArray shownName(const BatchPlan& plan, const PictureJob& job) {
    return plan.folders[job.folder].shownPrefix + job.name;
}

QByteArray copyPath(const BatchPlan& plan, const PictureJob& job) {
    return plan.folders[job.folder].outputFolder + '/' + job.copyName;
}

std::optional<BatchPlan> planBatch(const QString& sourceFolder, const QString& outputFolder) {
    const QByteArray output = folderBytes(outputFolder);
    Planner planner(output, PlanOptions{});
    if (planner.listFolder(absoluteBytes(sourceFolder), output, QByteArray()))
        return std::nullopt;
    planner.settleCopies();
    return std::move(planner.plan);
}

std::variant<BatchPlan, QString>
planSources(const QStringList& sources, const QString& outputFolder, const PlanOptions& options) {
    const QByteArray output = folderBytes(outputFolder);
    Planner planner(output, options);
    for (const QString& source : sources) {
        const QByteArray path = folderBytes(source);
        if (!QFileInfo(source).isDir()) {
            planner.addFile(absoluteBytes(source), path);
            continue;
        }
        // With several sources every name shows which one it came from.
        const QByteArray prefix =
            sources.size() == 1 ? QByteArray() : (path.endsWith('/') ? path : path + '/');
        if (const std::optional<QString> error =
                planner.listFolder(absoluteBytes(source), output, prefix))
            return BatchTexts::folderUnreadable(source, *error);
    }
    if (std::optional<QString> error = planner.copiesOverSources())
        return *std::move(error);
    planner.settleCopies();
    return std::move(planner.plan);
}

} // namespace plenwick
