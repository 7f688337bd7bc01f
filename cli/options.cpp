#include "options.h"

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

std::optional<QString> outputFolderError(const QString& path) {
    const QFileInfo folder(path);
    if (!folder.exists())
        return QCoreApplication::translate("CommandLine", "the output folder %1 does not exist")
            .arg(path);
    if (!folder.isDir())
        return QCoreApplication::translate("CommandLine", "the output %1 is not a folder")
            .arg(path);
    return std::nullopt;
}

QString helpText(const QCommandLineParser& parser) {
    return parser.helpText() +
           QCoreApplication::translate(
               "CommandLine",
               "\nWithout arguments, or with only Qt's options (--help-all), the window"
               " opens.\n") +
           QCoreApplication::translate(
               "CommandLine",
               "\nExamples:\n"
               "  plenwick --dpi 300 --output ~/Print ~/Scans\n"
               "      Copies of the pictures of ~/Scans, recording 300 dpi, into ~/Print.\n"
               "  plenwick --dpi 300 --output out a.jpg b.tif photos/\n"
               "      Two pictures and the pictures of a folder, all into out.\n"
               "  plenwick --recursive --dpi 300 --output ~/Print ~/Photos\n"
               "      Every subfolder too: ~/Photos/2024/a.jpg becomes ~/Print/2024/a.jpg.\n"
               "  plenwick --skip-existing --dpi 300 --output ~/Print ~/Scans\n"
               "      Only the pictures whose copy is not in ~/Print yet.\n"
               "  plenwick --dry-run --recursive --dpi 300 --output ~/Print ~/Photos\n"
               "      Lists the copies it would write and the files it would leave alone.\n"
               "  plenwick --verbose --jobs 2 --dpi 300 --output ~/Print ~/Scans\n"
               "      Two pictures at once; names every file left alone with its reason.\n"
               "\nLinks to folders are never followed, and the output folder is never entered."
               "\nFiles that are not JPEG, PNG or TIFF pictures by their names are left alone"
               " and\ncounted in the summary.\n") +
           QCoreApplication::translate(
               "CommandLine",
               "\nExit status: 0 when every picture was converted, 1 when any was not"
               " (each is listed\nwith its reason), 2 when the command line is wrong"
               " (nothing is done).\n");
}

// The options the command line takes, the positional sources and Qt's help and version.
struct ArgumentOptions final {
    QCommandLineOption dpi;
    QCommandLineOption output;
    QCommandLineOption jobs;
    QCommandLineOption recursive;
    QCommandLineOption skipExisting;
    QCommandLineOption dryRun;
    QCommandLineOption verbose;
    QCommandLineOption help;
    QCommandLineOption version;
};

ArgumentOptions declareOptions(QCommandLineParser& parser, int defaultJobs) {
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "Writes a copy of every JPEG, PNG and TIFF picture given, or"
                       " found in a folder given,\ninto the output folder, recording"
                       " the resolution given; the pixels stay as they are."));
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
    const QCommandLineOption recursiveOption(
        QStringLiteral("recursive"),
        QCoreApplication::translate("CommandLine",
                                    "Converts the pictures of every subfolder too, into the same"
                                    " subfolders of the output folder."));
    const QCommandLineOption skipExistingOption(
        QStringLiteral("skip-existing"),
        QCoreApplication::translate("CommandLine",
                                    "Leaves copies that are already there as they are; by default"
                                    " they are replaced."));
    const QCommandLineOption dryRunOption(
        QStringLiteral("dry-run"),
        QCoreApplication::translate("CommandLine",
                                    "Prints the copies that would be written and the files left"
                                    " alone, and changes nothing."));
    const QCommandLineOption verboseOption(
        QStringLiteral("verbose"),
        QCoreApplication::translate("CommandLine",
                                    "Names every file left alone and every copy kept, with the"
                                    " reason."));
    parser.addOptions({dpiOption, outputOption, jobsOption, recursiveOption, skipExistingOption,
                       dryRunOption, verboseOption});
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("SOURCE"),
        QCoreApplication::translate("CommandLine",
                                    "Folders holding the pictures, and single pictures; never"
                                    " changed."),
        QStringLiteral("SOURCE..."));
    return {dpiOption,    outputOption,  jobsOption, recursiveOption, skipExistingOption,
            dryRunOption, verboseOption, helpOption, versionOption};
}

// --help, --help-all or --version, when asked for.
std::optional<InformationRequest> informationAsked(const QCommandLineParser& parser,
                                                   const ArgumentOptions& options,
                                                   const QString& version) {
    if (parser.isSet(options.help))
        return InformationRequest{helpText(parser)};
    // Offered by the help text that Qt builds.
    if (parser.isSet(QStringLiteral("help-all")))
        return InformationRequest{helpText(parser) + windowOptionsHelp()};
    if (parser.isSet(options.version))
        return InformationRequest{QStringLiteral("plenwick %1\n").arg(version)};
    return std::nullopt;
}

// What the run cannot do without, and the options that take one value only.
std::optional<UsageError> missingOrRepeated(const QCommandLineParser& parser,
                                            const ArgumentOptions& options) {
    if (!parser.isSet(options.dpi))
        return UsageError{QCoreApplication::translate("CommandLine", "--dpi is missing")};
    if (!parser.isSet(options.output))
        return UsageError{QCoreApplication::translate("CommandLine", "--output is missing")};
    if (parser.positionalArguments().isEmpty())
        return UsageError{QCoreApplication::translate("CommandLine", "SOURCE is missing")};
    // An option given twice is refused rather than silently settled one way.
    for (const QCommandLineOption* option : {&options.dpi, &options.output, &options.jobs}) {
        if (parser.values(*option).size() > 1)
            return UsageError{
                QCoreApplication::translate("CommandLine", "--%1 is given more than once")
                    .arg(option->names().constFirst())};
    }
    return std::nullopt;
}

// The resolution and the number of jobs, each checked against its range.
std::optional<UsageError> readNumbers(const QCommandLineParser& parser,
                                      const ArgumentOptions& options, ConversionOptions& into) {
    const QString dpiText = parser.value(options.dpi);
    const std::optional<qint64> dpi = wholeNumber(dpiText, MinimumDpi, MaximumDpi);
    if (!dpi)
        return UsageError{
            QCoreApplication::translate(
                "CommandLine", "the resolution must be a whole number from %1 to %2, not '%3'")
                .arg(MinimumDpi)
                .arg(MaximumDpi)
                .arg(dpiText)};
    into.dpi = *dpi;
    if (parser.isSet(options.jobs)) {
        const QString jobsText = parser.value(options.jobs);
        const std::optional<qint64> jobs = wholeNumber(jobsText, 1, MaximumJobs);
        if (!jobs)
            return UsageError{
                QCoreApplication::translate("CommandLine",
                                            "--jobs must be a whole number from 1 to %1, not '%2'")
                    .arg(MaximumJobs)
                    .arg(jobsText)};
        into.jobs = static_cast<int>(*jobs);
    }
    return std::nullopt;
}

// Every source there, the output folder a folder or nothing yet, and no source folder the output
// folder by identity.
std::optional<UsageError> foldersError(const ConversionOptions& options) {
    for (const QString& source : options.sources) {
        if (source.isEmpty() || !QFileInfo::exists(source))
            return UsageError{
                QCoreApplication::translate("CommandLine", "the source %1 does not exist")
                    .arg(source)};
    }
    // A missing output folder is made when the run starts.
    const QFileInfo output(options.outputFolder);
    if (options.outputFolder.isEmpty() || output.exists() || output.isSymLink()) {
        if (const std::optional<QString> error = outputFolderError(options.outputFolder))
            return UsageError{*error};
    }
    for (const QString& source : options.sources) {
        if (QFileInfo(source).isDir() && isSameFolder(source, options.outputFolder))
            return UsageError{
                QCoreApplication::translate("CommandLine",
                                            "the output folder is the source folder %1: the copies"
                                            " would replace the pictures")
                    .arg(source)};
    }
    return std::nullopt;
}

} // namespace

ParsedArguments parseArguments(const QStringList& arguments, const QString& version,
                               int defaultJobs) {
    QCommandLineParser parser;
    const ArgumentOptions declared = declareOptions(parser, defaultJobs);
    if (!parser.parse(arguments))
        return UsageError{parser.errorText()};
    if (std::optional<InformationRequest> information = informationAsked(parser, declared, version))
        return *std::move(information);
    if (std::optional<UsageError> error = missingOrRepeated(parser, declared))
        return *std::move(error);

    ConversionOptions options;
    options.jobs = defaultJobs;
    if (std::optional<UsageError> error = readNumbers(parser, declared, options))
        return *std::move(error);
    options.recursive = parser.isSet(declared.recursive);
    options.skipExisting = parser.isSet(declared.skipExisting);
    options.dryRun = parser.isSet(declared.dryRun);
    options.verbose = parser.isSet(declared.verbose);
    options.sources = parser.positionalArguments();
    options.outputFolder = parser.value(declared.output);
    if (std::optional<UsageError> error = foldersError(options))
        return *std::move(error);
    return options;
}

} // namespace plenwick
