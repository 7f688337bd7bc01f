#include "bundleinfo.h"
#include "clirun.h"
#include "interface.h"
#include "options.h"
#include "progressdisplay.h"
#include "qtdesktopservices.h"
#include "translations.h"
#include "userdefaults.h"
#include "windowoptions.h"

#include <QApplication>
#include <QIcon>

namespace {

// With arguments of its own the program is a command line: no GUI platform is started, so it runs
// without a display, and the window's settings are never opened.
int runCommandLine(int argc, char* argv[]) {
    const QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("plenwick"));
    const plenwick::Translations translations;
    return plenwick::runCli(QCoreApplication::arguments(),
                            QStringLiteral(PLENWICK_PACKAGE_VERSION));
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (!plenwick::onlyWindowOptions(arguments))
        return runCommandLine(argc, argv);
    if (!plenwick::windowDisplayAvailable(arguments)) {
        const QCoreApplication application(argc, argv);
        const plenwick::Translations translations;
        plenwick::writeText(
            stderr, QCoreApplication::translate(
                        "CommandLine",
                        "plenwick: no display to open the window on; to convert without one, give "
                        "--dpi, --output and a source folder (see plenwick --help)\n"));
        return plenwick::UsageExitStatus;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("plenwick"));
    QApplication::setApplicationDisplayName(QStringLiteral("Plenwick"));
    QApplication::setDesktopFileName(QStringLiteral("com.harrowfen.Plenwick"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/plenwick.png")));
    const plenwick::Translations translations;

    plenwick::UserDefaults defaults;
    plenwick::QtDesktopServices services;
    const plenwick::Interface interface(services, defaults, plenwick::BundleInfo::mainBundle());
    return QApplication::exec();
}
