#include "bundleinfo.h"
#include "commandline.h"
#include "commandlineoptions.h"
#include "interfaceloader.h"
#include "qtdesktopservices.h"
#include "userdefaults.h"
#include "windowoptions.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>

namespace {

// With arguments of its own the program is a command line: no GUI platform is started, so it runs
// without a display, and the window's settings are never opened.
int runCommandLine(int argc, char* argv[]) {
    const QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("plenwick"));
    return plenwick::runCommandLine(QCoreApplication::arguments(),
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
        std::fputs("plenwick: no display to open the window on; to convert without one, give "
                   "--dpi, --output and a source folder (see plenwick --help)\n",
                   stderr);
        return plenwick::UsageExitStatus;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("plenwick"));
    QApplication::setApplicationDisplayName(QStringLiteral("Plenwick"));
    QApplication::setDesktopFileName(QStringLiteral("com.harrowfen.Plenwick"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/plenwick.png")));

    plenwick::UserDefaults defaults;
    plenwick::QtDesktopServices services;
    const plenwick::Interface interface(services, defaults, plenwick::BundleInfo::mainBundle());
    return QApplication::exec();
}
