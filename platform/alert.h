#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace plenwick {

// Button codes of a modal alert: the first button added answers 1000, the second 1001, ...
inline constexpr int AlertFirstButtonReturn = 1000;
inline constexpr int AlertSecondButtonReturn = 1001;
inline constexpr int AlertThirdButtonReturn = 1002;

// A modal alert as the callers describe it. Built empty, filled in, then run.
struct Alert final {
    QString messageText;
    QString informativeText;
    QStringList buttons;
    bool titlebarAppearsTransparent = false;
    bool showsSuppressionButton = false;
    // The suppression check box's state, read back after the alert ran.
    bool suppressionChecked = false;
    // Laid out between the informative text and the buttons; the alert never owns it.
    QPointer<QWidget> accessoryView;
};

} // namespace plenwick
