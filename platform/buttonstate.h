#pragma once

#include <QAbstractButton>
#include <QVariant>

namespace plenwick {

// A push button's on/off state, kept apart from Qt's checked state, which would also change the
// button's look.
enum class ButtonState { Off = 0, On = 1 };

inline void setButtonState(QAbstractButton& button, ButtonState state) {
    button.setProperty("buttonState", static_cast<int>(state));
}

[[nodiscard]] inline ButtonState buttonState(const QAbstractButton& button) {
    return button.property("buttonState").toInt() != 0 ? ButtonState::On : ButtonState::Off;
}

} // namespace plenwick
