#include "commandlineoptions.h"

#include "folderidentity.h"
#include "windowoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace plenwick {

namespace {

constexpr qint64 MinimumDpi = 1;
constexpr qint64 MaximumDpi = 4000;

// A whole number in [minimum, maximum] written with digits only: no sign, no spaces, no
// fraction, so that "3e2" or "300dpi" are refused instead of read as something else.
std::optional<qint64> wholeNumber(const QString& text, qint64 minimum, qint64 maximum) {
    if (text.isEmpty() ||
        !std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < minimum || value > maximum)
        return std::nullopt;
    return value;
}

enum class FolderRole { Source, Output };

std::optional<QString> folderError(FolderRole role, const QString& path) {
    const QFileInfo folder(path);
    const bool source = role == FolderRole::Source;
    if (!folder.exists())
        return (source ? QCoreApplication::translate("CommandLine",
                                                     "the source folder %1 does not exist")
                       : QCoreApplication::translate("CommandLine",
                                                     "the output folder %1 does not exist"))
            .arg(path);
    if (!folder.isDir())
        return (source
                    ? QCoreApplication::translate("CommandLine", "the source %1 is not a folder")
                    : QCoreApplication::translate("CommandLine", "the output %1 is not a folder"))
            .arg(path);
    return std::nullopt;
}

QString helpText(const QCommandLineParser& parser) {
    return parser.helpText() +
           QCoreApplication::translate(
               "CommandLine",
               "\nWithout arguments, or with only Qt's options (--help-all), the window"
               " opens.\n"
               "\nExit status: 0 when every picture was converted, 1 when any was not"
               " (each is listed\nwith its reason), 2 when the command line is wrong"
               " (nothing is done).\n");
}

} // namespace

ParsedCommandLine parseCommandLine(const QStringList& arguments, const QString& version,
                                   int defaultJobs) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "Writes a copy of every JPEG, PNG and TIFF picture of SOURCE_DIR into the"
                       " output folder,\nrecording the resolution given; the pixels stay as they"
                       " are."));
    const QCommandLineOption dpiOption(
        QStringLiteral("dpi"),
        QCoreApplication::translate("CommandLine", "Resolution to record, 1 to 4000."),
        QStringLiteral("N"));
    const QCommandLineOption outputOption(
        QStringLiteral("output"),
        QCoreApplication::translate(
            "CommandLine",
            "Folder that receives the copies; made, with its parents, when missing."),
        QStringLiteral("DIR"));
    const QCommandLineOption jobsOption(
        QStringLiteral("jobs"),
        QCoreApplication::translate("CommandLine",
                                    "Pictures converted at once, 1 to %1 (default: %2).")
            .arg(MaximumJobs)
            .arg(defaultJobs),
        QStringLiteral("N"));
    parser.addOptions({dpiOption, outputOption, jobsOption});
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("SOURCE_DIR"),
        QCoreApplication::translate("CommandLine", "Folder holding the pictures; never changed."));

    if (!parser.parse(arguments))
        return UsageError{parser.errorText()};
    if (parser.isSet(helpOption))
        return InformationRequest{helpText(parser)};
    // Offered by the help text that Qt builds.
    if (parser.isSet(QStringLiteral("help-all")))
        return InformationRequest{helpText(parser) + windowOptionsHelp()};
    if (parser.isSet(versionOption))
        return InformationRequest{QStringLiteral("plenwick %1\n").arg(version)};

    if (!parser.isSet(dpiOption))
        return UsageError{QCoreApplication::translate("CommandLine", "--dpi is missing")};
    if (!parser.isSet(outputOption))
        return UsageError{QCoreApplication::translate("CommandLine", "--output is missing")};
    const QStringList sources = parser.positionalArguments();
    if (sources.size() != 1)
        return UsageError{sources.isEmpty()
                              ? QCoreApplication::translate("CommandLine", "SOURCE_DIR is missing")
                              : QCoreApplication::translate(
                                    "CommandLine", "only one SOURCE_DIR is allowed, got %1")
                                    .arg(sources.size())};
    // An option given twice is refused rather than silently settled one way.
    for (const QCommandLineOption* option : {&dpiOption, &outputOption, &jobsOption}) {
        if (parser.values(*option).size() > 1)
            return UsageError{
                QCoreApplication::translate("CommandLine", "--%1 is given more than once")
                    .arg(option->names().constFirst())};
    }

    ConversionOptions options;
    const QString dpiText = parser.value(dpiOption);
    const std::optional<qint64> dpi = wholeNumber(dpiText, MinimumDpi, MaximumDpi);
    if (!dpi)
        return UsageError{
            QCoreApplication::translate(
                "CommandLine", "the resolution must be a whole number from %1 to %2, not '%3'")
                .arg(MinimumDpi)
                .arg(MaximumDpi)
                .arg(dpiText)};
    options.dpi = *dpi;
    options.jobs = defaultJobs;
    if (parser.isSet(jobsOption)) {
        const QString jobsText = parser.value(jobsOption);
        const std::optional<qint64> jobs = wholeNumber(jobsText, 1, MaximumJobs);
        if (!jobs)
            return UsageError{
                QCoreApplication::translate("CommandLine",
                                            "--jobs must be a whole number from 1 to %1, not '%2'")
                    .arg(MaximumJobs)
                    .arg(jobsText)};
        options.jobs = static_cast<int>(*jobs);
    }
    options.sourceFolder = sources.constFirst();
    options.outputFolder = parser.value(outputOption);
    if (const std::optional<QString> error = folderError(FolderRole::Source, options.sourceFolder))
        return UsageError{*error};
    // A missing output folder is made when the run starts.
    const QFileInfo output(options.outputFolder);
    if (options.outputFolder.isEmpty() || output.exists() || output.isSymLink()) {
        if (const std::optional<QString> error =
                folderError(FolderRole::Output, options.outputFolder))
            return UsageError{*error};
    }
    if (isSameFolder(options.sourceFolder, options.outputFolder))
        return UsageError{QCoreApplication::translate(
                              "CommandLine", "the output folder is the source folder %1: the copies"
                                             " would replace the pictures")
                              .arg(options.sourceFolder)};
    return options;
}

} // namespace plenwick
