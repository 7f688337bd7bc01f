#include "bundleinfo.h"
#include "commandline.h"
#include "interfaceloader.h"
#include "qtdesktopservices.h"
#include "userdefaults.h"

#include <QApplication>
#include <QIcon>

namespace {

// With arguments the program is a command line: no GUI platform is started, so it runs without
// a display, and the window's settings are never opened.
int runCommandLine(int argc, char* argv[]) {
    const QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("plenwick"));
    return plenwick::runCommandLine(QCoreApplication::arguments(),
                                    QStringLiteral(PLENWICK_PACKAGE_VERSION));
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1)
        return runCommandLine(argc, argv);

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
