#pragma once

#include "interface.h"
#include "qtprinters.h"
#include "scripteddesktopservices.h"
#include "temporarysettings.h"
#include "ui_mainwindow.h"

#include <memory>

namespace plenwick::test {

// The whole interface as the program loads it, over a scripted desktop and a temporary settings
// file. The startup notice is suppressed unless a test asks for it.
class LoadedInterface {
public:
    explicit LoadedInterface(bool suppressStartupNotice = true) {
        if (suppressStartupNotice)
            settings.store(Settings::StartupNoticeSuppressed, 1);
    }

    void load() {
        interface =
            std::make_unique<Interface>(desktop, settings.userDefaults(), BundleInfo::mainBundle());
    }

    [[nodiscard]] Ui::MainWindow& form() const { return interface->form(); }
    [[nodiscard]] Plenwickapp& controller() const { return interface->controller(); }

    ScriptedDesktopServices desktop;
    TemporarySettings settings;
    std::unique_ptr<Interface> interface;
};

} // namespace plenwick::test
