#include "interface.h"

#include "harrowfenpanel.h"
#include "plenwickapp.h"
#include "ui_mainwindow.h"

namespace plenwick {

Interface::Interface(DesktopServices& services, UserDefaults& defaults, const BundleInfo& bundle)
    : window(std::make_unique<QMainWindow>())
    , layout(std::make_unique<Ui::MainWindow>())
    , app(std::make_unique<Plenwickapp>(services, defaults))
    , infoPanel(std::make_unique<Harrowfenpanel>(services, defaults, bundle)) {
    layout->setupUi(window.get());
    app->connectOutlets({.dpi = layout->dpi,
                         .myWindow = window.get(),
                         .startB = layout->startB,
                         .outfolderB = layout->outfolderB,
                         .coverB = layout->coverB,
                         .progressBar = layout->progressBar,
                         .progressText = layout->progressText,
                         .stopB = layout->stopB});
    // The controller hears the window closing, and folders dropped on it.
    window->installEventFilter(app.get());
    window->setAcceptDrops(true);
    connectActions();

    // The startup notice that waking may show belongs over the window, so show it first.
    window->show();
    app->awakeFromNib();
    infoPanel->awakeFromNib();
    infoPanel->restoreDockIconMode();
}

Interface::~Interface() = default;

void Interface::connectActions() {
    Plenwickapp* controller = app.get();
    Harrowfenpanel* panelWindow = infoPanel.get();
    const auto showPanel = [panelWindow] {
        panelWindow->show();
        panelWindow->raise();
        panelWindow->activateWindow();
    };
    QObject::connect(layout->outfolderB, &QPushButton::clicked, controller,
                     [controller, this] { controller->outputFolder(layout->outfolderB); });
    QObject::connect(layout->startB, &QPushButton::clicked, controller,
                     [controller, this] { controller->doConversion(layout->startB); });
    QObject::connect(layout->stopB, &QPushButton::clicked, controller,
                     [controller, this] { controller->stopConversion(layout->stopB); });
    QObject::connect(&termination, &TerminationSignal::received, controller,
                     &Plenwickapp::terminateProgram);
    QObject::connect(layout->whatisDPIButton, &QPushButton::clicked, controller,
                     [controller, this] { controller->whatisDPI(layout->whatisDPIButton); });
    QObject::connect(layout->actionWhatIsDpi, &QAction::triggered, controller,
                     [controller, this] { controller->whatisDPI(layout->actionWhatIsDpi); });
    QObject::connect(layout->tipButton, &QPushButton::clicked, controller,
                     [controller, this] { controller->tipStartup(layout->tipButton); });
    QObject::connect(layout->actionStartupQA, &QAction::triggered, controller,
                     [controller, this] { controller->tipStartup(layout->actionStartupQA); });
    QObject::connect(layout->infoButton, &QPushButton::clicked, panelWindow, showPanel);
    QObject::connect(layout->actionAbout, &QAction::triggered, panelWindow, showPanel);
    QObject::connect(layout->actionQuit, &QAction::triggered, window.get(), &QWidget::close);
    // The second sibling menu stands in the menu bar, which leaves with the task-bar icon.
    layout->menuBar->addAction(infoPanel->siblingMenuItemForMenuBar());
}

} // namespace plenwick
