#include "activationpolicy.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

namespace plenwick {

namespace {

const char* const PolicyProperty = "plenwickActivationPolicy";

QMainWindow* mainWindow() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (auto* main = qobject_cast<QMainWindow*>(window))
            return main;
    }
    return nullptr;
}

} // namespace

void applyActivationPolicy(ActivationPolicy policy) {
    const bool accessory = policy == ActivationPolicy::Accessory;
    qApp->setProperty(PolicyProperty, static_cast<int>(policy));
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (!window->isWindow() || window->windowType() == Qt::Popup ||
            window->windowType() == Qt::ToolTip)
            continue;
        // A tool window is what Linux task bars leave out.
        if (window->testAttribute(Qt::WA_WState_Created) &&
            window->windowFlags().testFlag(Qt::Tool) == accessory)
            continue;
        const bool wasVisible = window->isVisible();
        window->setWindowFlag(Qt::Tool, accessory);
        if (wasVisible)
            window->show(); // changing the flags hides a window
    }
    if (QMainWindow* main = mainWindow())
        main->menuBar()->setVisible(!accessory);
}

ActivationPolicy currentActivationPolicy() {
    return static_cast<ActivationPolicy>(qApp->property(PolicyProperty).toInt());
}

void activateMainWindow() {
    QMainWindow* main = mainWindow();
    if (main == nullptr)
        return;
    main->show();
    main->raise();
    main->activateWindow();
}

} // namespace plenwick
