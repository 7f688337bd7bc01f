#pragma once

#include "bundleinfo.h"
#include "desktopservices.h"
#include "terminationsignal.h"
#include "userdefaults.h"

#include <QMainWindow>
#include <memory>

namespace Ui {
class MainWindow;
}

namespace plenwick {

class Plenwickapp;
class Harrowfenpanel;

// What the interface layout brings into being: the main window with its controls, its controller
// and the information panel. Loading connects outlets and actions, makes the controller the
// window's close delegate, and wakes the controller and then the panel, once each. While it is
// loaded, SIGTERM ends the program the way closing the window does.
class Interface final {
public:
    Interface(DesktopServices& services, UserDefaults& defaults, const BundleInfo& bundle);
    ~Interface();
    Interface(const Interface&) = delete;
    Interface& operator=(const Interface&) = delete;

    [[nodiscard]] QMainWindow& mainWindow() const { return *window; }
    [[nodiscard]] Ui::MainWindow& form() const { return *layout; }
    [[nodiscard]] Plenwickapp& controller() const { return *app; }
    [[nodiscard]] Harrowfenpanel& panel() const { return *infoPanel; }

private:
    void connectActions();

    std::unique_ptr<QMainWindow> window;
    std::unique_ptr<Ui::MainWindow> layout;
    std::unique_ptr<Plenwickapp> app;
    std::unique_ptr<Harrowfenpanel> infoPanel;
    TerminationSignal termination; // SIGTERM ends a running tool and the program
};

} // namespace plenwick
