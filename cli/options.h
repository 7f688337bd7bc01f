#pragma once

#include <QString>
#include <QStringList>
#include <variant>

namespace plenwick {

// What the command line asks for, checked before anything is done.
struct ConversionOptions final {
    qint64 dpi = 0;
    QString outputFolder;
    // Folders and single pictures, in the order given.
    QStringList sources;
    int jobs = 1;
    bool recursive = false;
    bool skipExisting = false;
    bool dryRun = false;
    // The files left alone and the copies kept are named, each with its reason.
    bool verbose = false;
};

// Text the user asked for (--help, --version): printed, then the program ends successfully.
struct InformationRequest final {
    QString text;
};

// A command line that cannot be run: printed on standard error with a pointer to --help.
struct UsageError final {
    QString message;
};

using ParsedArguments = std::variant<ConversionOptions, InformationRequest, UsageError>;

inline constexpr int UsageExitStatus = 2;
inline constexpr int MaximumJobs = 64;

// Reads the arguments (the program's name first). `version` is what --version prints;
// `defaultJobs` is used without --jobs. Every source must exist, the output folder must be a
// folder or nothing yet, and no source folder is the output folder by identity.
[[nodiscard]] ParsedArguments parseArguments(const QStringList& arguments, const QString& version,
                                             int defaultJobs);

} // namespace plenwick
