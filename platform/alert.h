#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace plenwick {

// The button that closed a modal alert, in the order the buttons were added. The values are the
// button codes callers of such alerts know: the first button answers 1000, the second 1001, ...
enum class AlertButton { First = 1000, Second = 1001, Third = 1002 };

// The button at the index, counted from the first one added.
[[nodiscard]] constexpr AlertButton alertButtonAt(qsizetype index) {
    return static_cast<AlertButton>(static_cast<qsizetype>(AlertButton::First) + index);
}

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
