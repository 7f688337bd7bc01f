#pragma once

#include "desktopservices.h"
#include "userdefaults.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QObject>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QString>
#include <QUrl>

namespace plenwick {

inline constexpr char16_t SelectOutputFolderFirst[] = u"Select Destination (output) Folder First";

// The main window's controller. Its methods are the window's actions and delegate callbacks; the
// conversion methods live with the conversion code.
class Plenwickapp final : public QObject {
    Q_OBJECT

public:
    // The window's controls the controller works on, connected by the interface loader.
    struct Outlets final {
        QLineEdit* dpi = nullptr;
        QMainWindow* myWindow = nullptr;
        QPushButton* startB = nullptr;
        QPushButton* outfolderB = nullptr;
        QLabel* coverB = nullptr;
        QProgressBar* progressBar = nullptr;
    };

    Plenwickapp(DesktopServices& services, UserDefaults& defaults, QObject* parent = nullptr);

    void connectOutlets(const Outlets& outlets);
    void awakeFromNib();

    // The startup notice; true when called up on demand, false at start-up.
    void tip(bool onDemand);
    // Converts one entry of the source folder into the output folder, if it is a picture.
    void convertPicture(const QString& entryName);

    [[nodiscard]] bool isConverting() const { return batchInProgress; }

public Q_SLOTS:
    void whatisDPI(QObject* sender);
    void controlTextDidChange(QObject* notificationObject);
    void buttonPressed(QObject* sender);
    void windowWillClose(QObject* notification);
    void outputFolder(QObject* sender);
    void doConversion(QObject* sender);
    void tipStartup(QObject* sender);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runBatch();
    void closingReset();
    [[nodiscard]] qint64 dpiValue() const;

    DesktopServices& services;
    UserDefaults& defaults;

    QPointer<QLineEdit> dpi;
    QPointer<QMainWindow> myWindow;
    QPointer<QPushButton> startB;
    QPointer<QPushButton> outfolderB;
    QPointer<QLabel> coverB;
    QPointer<QProgressBar> progressBar;
    QString returnDirectory; // the source folder of the latest run
    QUrl bookmarkFileURL;    // the output folder of the latest run, resolved from its bookmark
    bool batchInProgress = false;
    bool quitting = false; // the window closed: a running batch stops after its current entry
};

} // namespace plenwick
