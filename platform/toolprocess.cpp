#include "toolprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <array>
#include <atomic>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#include <utility>

namespace plenwick {

namespace {

constexpr int WaitSliceMs = 30;
constexpr qsizetype ErrorLineBytes = 4096;
constexpr qsizetype ErrorLinesKept = 64;

// Process groups of the commands running now, one slot each; read by a signal handler, so plain
// lock-free atomics only.
std::array<std::atomic<pid_t>, 64> runningGroups{};
static_assert(std::atomic<pid_t>::is_always_lock_free);
// Counts the calls of endRunningTools(), so that a command started on another thread while one
// ran, before its group was in a slot, is ended too.
std::atomic_uint endings = 0;
static_assert(std::atomic_uint::is_always_lock_free);

// Holds a slot for one running command while it runs.
class RunningGroup final {
public:
    explicit RunningGroup(pid_t group) {
        for (std::atomic<pid_t>& candidate : runningGroups) {
            pid_t empty = 0;
            if (candidate.compare_exchange_strong(empty, group)) {
                slot = &candidate;
                return;
            }
        }
    }
    ~RunningGroup() {
        if (slot != nullptr)
            slot->store(0);
    }
    RunningGroup(const RunningGroup&) = delete;
    RunningGroup& operator=(const RunningGroup&) = delete;

private:
    std::atomic<pid_t>* slot = nullptr;
};

// The shell, ended by a signal, may be gone before the tool it started has removed its partial
// file and ended, or before a tool it was starting has seen the signal. Wait for the rest of the
// group, ending it again, and at last for good.
void endStragglers(pid_t group) {
    constexpr int Attempts = 100;
    for (int attempt = 0; attempt < Attempts && ::kill(-group, 0) == 0; ++attempt) {
        ::kill(-group, attempt < Attempts / 2 ? SIGTERM : SIGKILL);
        ::usleep(10000);
    }
}

// Standard error split into lines as it arrives: the first lines kept, and always the last.
class ErrorLines final {
public:
    void add(const QByteArray& bytes) {
        pending += bytes;
        for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            take(pending.left(end));
            pending.remove(0, end + 1);
        }
        if (pending.size() > ErrorLineBytes)
            pending = pending.right(ErrorLineBytes);
    }
    // What a command ended with, once it has ended.
    ToolRun ended(int exitStatus) {
        take(std::exchange(pending, {}));
        return {exitStatus, last, std::move(kept)};
    }

private:
    void take(const QByteArray& line) {
        const QByteArray trimmed = line.trimmed().right(ErrorLineBytes);
        if (trimmed.isEmpty())
            return;
        last = QString::fromLocal8Bit(trimmed);
        if (kept.size() < ErrorLinesKept)
            kept.append(last);
    }

    QByteArray pending;
    QString last;
    QStringList kept;
};

} // namespace

ToolRun runToolCommand(const QByteArray& commandLine, const QString& toolDirectory,
                       int workingFolder) {
    const unsigned endingsBefore = endings;
    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The user's own search path is left out: were the program's tool missing, no other program
    // of its name may run in its place.
    environment.insert(QStringLiteral("PATH"), toolDirectory);
    shell.setProcessEnvironment(environment);
    shell.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    shell.setChildProcessModifier([workingFolder] {
        if (::fchdir(workingFolder) != 0)
            ::_exit(127);
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGTERM); // the shell goes with the program, however it ends
    });
    // The command line reaches the shell on its standard input: an argument would be recoded as
    // text, and a name that is not valid UTF-8 must arrive byte for byte.
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-s")});
    if (!shell.waitForStarted())
        return {-1, shell.errorString(), {}};
    // Kept here: once the shell has ended, QProcess answers 0, which kill() takes as our own group.
    const auto leader = static_cast<pid_t>(shell.processId());
    if (leader <= 0)
        return {-1, shell.errorString(), {}};
    const RunningGroup group(leader);
    if (endings != endingsBefore)
        ::kill(-leader, SIGTERM);
    shell.write(commandLine);
    shell.write("\n");
    shell.closeWriteChannel();

    ErrorLines errors;
    while (shell.state() != QProcess::NotRunning && !shell.waitForFinished(WaitSliceMs))
        errors.add(shell.readAllStandardError());
    errors.add(shell.readAllStandardError());
    if (shell.exitStatus() != QProcess::NormalExit) {
        endStragglers(leader);
        return errors.ended(-1);
    }
    return errors.ended(shell.exitCode());
}

void endRunningTools() noexcept {
    ++endings;
    for (const std::atomic<pid_t>& group : runningGroups) {
        const pid_t leader = group.load();
        if (leader > 0)
            ::kill(-leader, SIGTERM);
    }
}

QString toolDirectory() {
    // Looked up once: where the program lies does not change while it runs.
    static const QString directory = [] {
        const QDir program(QCoreApplication::applicationDirPath());
        // An installed program has its folder of tools, and looks nowhere else.
        const QString installed =
            program.filePath(QStringLiteral("../" PLENWICK_LIBEXEC_DIR "/plenwick"));
        if (QFileInfo(installed).isDir())
            return QDir::cleanPath(installed);
        // Programs of the build tree, however deep, find the tool in the tree's top folder,
        // which CMake's cache marks.
        for (QDir folder = program;;) {
            if (folder.exists(QStringLiteral("CMakeCache.txt")))
                return folder.filePath(QStringLiteral("sips"));
            if (!folder.cdUp())
                return QString();
        }
    }();
    return directory;
}

QString ownToolPath() {
    return toolDirectory().isEmpty() ? QString() : toolDirectory() + QStringLiteral("/sips");
}

bool isOwnToolPresent() {
    const QFileInfo tool(ownToolPath());
    return !tool.filePath().isEmpty() && tool.isFile() && tool.isExecutable();
}

} // namespace plenwick
