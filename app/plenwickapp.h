#pragma once

#include "desktopservices.h"
#include "outputfolderstep.h"
#include "runcontroller.h"
#include "startupnotice.h"
#include "userdefaults.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMimeData>
#include <QObject>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QString>
#include <QUrl>

namespace plenwick {

// The main window's controller. Its methods are the window's actions and delegate callbacks; the
// run itself is RunController's, which runs off the window's thread while this shows it.
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
        QLabel* progressText = nullptr;
        QPushButton* stopB = nullptr;
    };

    Plenwickapp(DesktopServices& services, UserDefaults& defaults, QObject* parent = nullptr);
    ~Plenwickapp() override;

    void connectOutlets(const Outlets& outlets);
    void awakeFromNib();

    // The startup notice; true when called up on demand, false at start-up.
    void tip(bool onDemand);

    [[nodiscard]] bool isConverting() const { return running; }

public Q_SLOTS:
    void whatisDPI(QObject* sender);
    void controlTextDidChange(QObject* notificationObject);
    void buttonPressed(QObject* sender);
    void windowWillClose(QObject* notification);
    void outputFolder(QObject* sender);
    void doConversion(QObject* sender);
    void tipStartup(QObject* sender);
    // The Stop control: the pictures being converted are finished, then the run ends as usual.
    void stopConversion(QObject* sender);
    // The program is ending (SIGTERM): running tools and their scratch files go at once.
    void terminateProgram();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the window shows; updateControls() is the one place that puts it on the controls.
    struct WindowState final {
        // The confirmed or resolved output folder; empty while the window asks for one.
        QString outputFolderPath;
        bool startEnabled = false;
        bool dpiEnabled = false;
        bool batchShown = false; // the cover, the progress and the Stop control
        int progressMaximum = 100;
        int progressValue = 0;
        QString progressText;
        bool stopRequested = false;
    };

    void updateControls();
    // The bar's value is set only when the run moves it: each setting is a step the user sees.
    void showProgress(int maximum, int value);
    void showOutputFolderChoice(const OutputFolderStep::Result& result);
    // The steps of a run, each false when the run ends there: the output folder it will use,
    // from its bookmark; the source folder from its chooser; the source's checks, plan and run.
    bool resolveOutput();
    bool chooseSourceAndStart();
    bool startWithSource(const QString& directory, const QString& chosen);
    // A folder dropped on the window starts the run as the source chooser's answer would.
    void acceptDrop(const QMimeData& data);
    void refuse(const QString& title, const QString& reason);
    void finishBatch(const RunEnd& end);
    // A user who went on with other work hears of the end; one watching sees it.
    void notifyUnwatchedEnd(const RunEnd& end);
    void closingReset();
    [[nodiscard]] qint64 dpiValue() const;

    DesktopServices& services;
    UserDefaults& defaults;
    StartupNotice startupNotice;
    OutputFolderStep outputFolderStep;
    RunController run;

    QPointer<QLineEdit> dpi;
    QPointer<QMainWindow> myWindow;
    QPointer<QPushButton> startB;
    QPointer<QPushButton> outfolderB;
    QPointer<QLabel> coverB;
    QPointer<QProgressBar> progressBar;
    QPointer<QLabel> progressText;
    QPointer<QPushButton> stopB;
    QString returnDirectory; // the source folder of the latest run

    WindowState state;
    bool progressMoved = false;
    bool running = false;  // from the start action to the end of its run
    bool quitting = false; // the program ends: a running batch stops at once
};

} // namespace plenwick
