#pragma once

#include <QString>
#include <QStringList>
#include <variant>

namespace plenwick {

// What the command line asks for, checked before anything is done.
struct ConversionOptions final {
    qint64 dpi = 0;
    QString outputFolder;
    QString sourceFolder;
    int jobs = 1;
};

// Text the user asked for (--help, --version): printed, then the program ends successfully.
struct InformationRequest final {
    QString text;
};

// A command line that cannot be run: printed on standard error with a pointer to --help.
struct UsageError final {
    QString message;
};

using ParsedCommandLine = std::variant<ConversionOptions, InformationRequest, UsageError>;

inline constexpr int UsageExitStatus = 2;
inline constexpr int MaximumJobs = 64;

// Reads the arguments (the program's name first). `version` is what --version prints;
// `defaultJobs` is used without --jobs. The source folder must exist, the output folder must be a
// folder or nothing yet, and the two differ by identity.
[[nodiscard]] ParsedCommandLine parseCommandLine(const QStringList& arguments,
                                                 const QString& version, int defaultJobs);

} // namespace plenwick
