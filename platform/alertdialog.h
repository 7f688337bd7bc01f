#pragma once

#include "alert.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QPointer>
#include <vector>

namespace plenwick {

// A modal alert drawn from its description: an information icon, the message in bold, the
// informative text, the accessory view, the suppression check box and the buttons in the order
// added. Return presses the first button; Escape or closing the window answers the last.
// Assistive technology reads it as an alert, as it reads the desktop's own.
class AlertDialog final : public QDialog {
    Q_OBJECT

public:
    AlertDialog(const Alert& alert, QWidget* parent);
    // The accessory view belongs to its owner, not to this alert: it goes back before the alert.
    ~AlertDialog() override;
    AlertDialog(const AlertDialog&) = delete;
    AlertDialog& operator=(const AlertDialog&) = delete;

    [[nodiscard]] AlertButton run();
    [[nodiscard]] bool suppressionChecked() const;

private:
    void addButtons(const QStringList& titles);

    std::vector<QAbstractButton*> buttons; // owned by the dialog's button box
    QAbstractButton* pressed = nullptr;
    QPointer<QCheckBox> suppression;
    QPointer<QWidget> accessory;
    QPointer<QWidget> accessoryHome;
};

} // namespace plenwick
