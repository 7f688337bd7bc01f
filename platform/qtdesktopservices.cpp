#include "qtdesktopservices.h"

#include "activationpolicy.h"
#include "desktopnotification.h"
#include "eventpump.h"
#include "storelinks.h"
#include "toolservices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <memory>
#include <vector>

namespace plenwick {

namespace {

// Places the accessory view in the message box's own grid, below the texts, above the buttons.
void addAccessoryView(QMessageBox& box, QWidget& view) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr)
        return;
    const int buttonRow = grid->rowCount() - 1;
    QLayoutItem* buttons = grid->itemAtPosition(buttonRow, 0);
    if (buttons == nullptr)
        buttons = grid->itemAtPosition(buttonRow, 1);
    if (buttons != nullptr) {
        grid->removeItem(buttons);
        grid->addWidget(&view, buttonRow, 0, 1, grid->columnCount());
        grid->addItem(buttons, buttonRow + 1, 0, 1, grid->columnCount());
    } else {
        grid->addWidget(&view, grid->rowCount(), 0, 1, grid->columnCount());
    }
}

} // namespace

AlertButton QtDesktopServices::runAlert(Alert& alert) {
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(QMessageBox::Information);
    box.setText(alert.messageText);
    box.setInformativeText(alert.informativeText);
    // Texts carry paths and names: never let Qt guess they are markup.
    box.setTextFormat(Qt::PlainText);
    if (auto* informative = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
        informative->setTextFormat(Qt::PlainText);
    box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { font-weight: bold; }"));
    // A screen reader announces an alert by its name and description: both texts, whole, and
    // not the window title, which a transparent title bar leaves empty.
    box.setAccessibleName(alert.messageText);
    box.setAccessibleDescription(alert.informativeText);
    if (alert.titlebarAppearsTransparent) {
        // A title bar with no title text or icon: the alert's own texts speak for it.
        box.setWindowTitle(QString());
        box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    }
    std::vector<QAbstractButton*> buttons;
    for (const QString& title : alert.buttons)
        buttons.push_back(box.addButton(title, buttons.empty() ? QMessageBox::AcceptRole
                                                               : QMessageBox::RejectRole));
    if (buttons.empty())
        buttons.push_back(box.addButton(QMessageBox::Ok));
    box.setDefaultButton(qobject_cast<QPushButton*>(buttons.front()));
    box.setEscapeButton(buttons.back());
    if (alert.showsSuppressionButton) {
        auto checkBox = std::make_unique<QCheckBox>(QObject::tr("Do not show this message again"));
        checkBox->setChecked(alert.suppressionChecked);
        box.setCheckBox(checkBox.release()); // the box owns it from here
    }
    QPointer<QWidget> accessory = alert.accessoryView;
    QWidget* accessoryHome = accessory != nullptr ? accessory->parentWidget() : nullptr;
    if (accessory != nullptr) {
        addAccessoryView(box, *accessory);
        accessory->show();
    }

    box.exec();

    if (accessory != nullptr) {
        // The view belongs to its owner, not to this alert: give it back before the box goes.
        accessory->hide();
        accessory->setParent(accessoryHome);
    }
    if (box.checkBox() != nullptr)
        alert.suppressionChecked = box.checkBox()->isChecked();
    const auto pressed = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    if (pressed == buttons.end())
        return alertButtonAt(std::ssize(buttons) - 1); // closed: the last
    return alertButtonAt(pressed - buttons.begin());
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
