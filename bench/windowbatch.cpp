// Converts a folder through the real main window, as a user does, with the choosers answered
// by script; prints the wall seconds from the start button to the end of the run.
//   plenwick_windowbench DPI SOURCE OUTPUT
#include "interface.h"
#include "plenwickapp.h"
#include "scripteddesktopservices.h"
#include "temporarysettings.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fputs("usage: plenwick_windowbench DPI SOURCE OUTPUT\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    using namespace plenwick;
    test::TemporarySettings settings;
    settings.store(Settings::StartupNoticeSuppressed, 1);
    test::ScriptedDesktopServices desktop;
    const Interface interface(desktop, settings.userDefaults(), BundleInfo::mainBundle());
    interface.mainWindow().show();

    const QString& output = arguments.at(3);
    desktop.answerChooser({ChooserResult::Confirmed, output, output});
    desktop.answerAlert(AlertButton::First);
    interface.form().outfolderB->click();
    interface.form().dpi->setText(arguments.at(1));
    desktop.answerChooser({ChooserResult::Confirmed, arguments.at(2), arguments.at(2)});
    desktop.answerAlert(AlertButton::First); // a failure alert, should one come

    QElapsedTimer clock;
    clock.start();
    interface.form().startB->click();
    constexpr int HourMs = 3600 * 1000;
    const bool ended =
        QTest::qWaitFor([&] { return !interface.controller().isConverting(); }, HourMs);
    std::printf("%.2f\n", static_cast<double>(clock.elapsed()) / 1000.0);
    return ended && desktop.alerts.size() == 1 ? 0 : 1;
}
