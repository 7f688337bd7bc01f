#include "activationpolicy.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

namespace plenwick {

namespace {

const char* const OwnTypeProperty = "plenwickOwnWindowType";

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
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip)
            continue;
        // A tool window is what Linux task bars leave out. Each window keeps its own kind (a
        // dialog stays a dialog) to return to.
        const QVariant ownType = window->property(OwnTypeProperty);
        const auto regularType =
            ownType.isValid() ? static_cast<Qt::WindowType>(ownType.toInt()) : window->windowType();
        window->setProperty(OwnTypeProperty, static_cast<int>(regularType));
        const Qt::WindowType wanted = accessory ? Qt::Tool : regularType;
        if (window->windowType() == wanted)
            continue;
        const bool wasVisible = window->isVisible();
        window->setWindowFlags((window->windowFlags() & ~Qt::WindowType_Mask) | wanted);
        if (wasVisible)
            window->show(); // changing the flags hides a window
    }
    if (QMainWindow* main = mainWindow())
        main->menuBar()->setVisible(!accessory);
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
