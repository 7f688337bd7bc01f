#include "qtdesktopservices.h"

#include "activationpolicy.h"
#include "alertdialog.h"
#include "desktopnotification.h"
#include "eventpump.h"
#include "storelinks.h"
#include "toolservices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <memory>

namespace plenwick {

AlertButton QtDesktopServices::runAlert(Alert& alert) {
    AlertDialog dialog(alert, QApplication::activeWindow());
    const AlertButton pressed = dialog.run();
    if (alert.showsSuppressionButton)
        alert.suppressionChecked = dialog.suppressionChecked();
    return pressed;
}

FolderChoice QtDesktopServices::runFolderChooser(const FolderChooser& chooser) {
    QFileDialog dialog(QApplication::activeWindow(), chooser.title);
    // Qt's own dialog, so that the folder shown and the item chosen can both be read back.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(chooser.canChooseDirectories ? QFileDialog::Directory
                                                    : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, !chooser.canCreateDirectories);
    dialog.setLabelText(QFileDialog::Accept, chooser.prompt);
    dialog.setDirectory(QDir::homePath());

    FolderChoice choice;
    if (dialog.exec() != QDialog::Accepted)
        return choice;
    choice.result = ChooserResult::Confirmed;
    choice.directoryPath = dialog.directory().absolutePath();
    const QStringList selected = dialog.selectedFiles();
    choice.chosenPath = selected.isEmpty() ? choice.directoryPath : selected.constFirst();
    return choice;
}

void QtDesktopServices::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(hasSchemeHandler(url) ? url : webEquivalentOfStoreLink(url));
}

void QtDesktopServices::beep() {
    QApplication::beep();
}

void QtDesktopServices::showNotification(const QString& summary, const QString& body) {
    showDesktopNotification(summary, body);
}

void QtDesktopServices::pumpEventsOnce() {
    plenwick::pumpEventsOnce();
}

void QtDesktopServices::runEventLoopFor(int milliseconds) {
    plenwick::runEventLoopFor(milliseconds);
}

std::unique_ptr<BatchServices> QtDesktopServices::makeBatchServices() {
    return std::make_unique<ToolServices>();
}

void QtDesktopServices::setActivationPolicy(ActivationPolicy policy) {
    applyActivationPolicy(policy);
}

void QtDesktopServices::activateApplication() {
    activateMainWindow();
}

void QtDesktopServices::terminate() {
    QCoreApplication::quit();
}

} // namespace plenwick
