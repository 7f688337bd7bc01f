#include "bundleinfo.h"
#include "interfaceloader.h"
#include "qtdesktopservices.h"
#include "userdefaults.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
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
