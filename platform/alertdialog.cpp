#include "alertdialog.h"

#include <QAccessibleWidget>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace plenwick {

namespace {

// Texts carry paths and names: never let Qt guess they are markup.
QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent); // owned by the dialog
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* informationIcon(QWidget* parent) {
    auto* icon = new QLabel(parent); // owned by the dialog
    const int size = parent->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, parent);
    icon->setPixmap(parent->style()
                        ->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, parent)
                        .pixmap(size, size));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    return icon;
}

// Qt gives an alert's role only to its own message box; this gives it to ours.
QAccessibleInterface* alertAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(AlertDialog::staticMetaObject.className()) ||
        !object->isWidgetType())
        return nullptr;
    // Owned by the accessibility framework's cache from here.
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
}

} // namespace

AlertDialog::AlertDialog(const Alert& alert, QWidget* parent)
    : QDialog(parent)
    , accessory(alert.accessoryView) {
    static const bool accessibleAsAlert = (QAccessible::installFactory(&alertAccessible), true);
    Q_UNUSED(accessibleAsAlert);
    // A screen reader announces an alert by its name and description: both texts, whole, and
    // not the window title, which a transparent title bar leaves empty.
    setAccessibleName(alert.messageText);
    setAccessibleDescription(alert.informativeText);
    if (alert.titlebarAppearsTransparent) {
        // A title bar with no title text or icon: the alert's own texts speak for it.
        setWindowTitle(QString());
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    }

    auto* grid = new QGridLayout(this); // owned by the dialog
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(13); // the rows stand as far apart as in the desktop's message boxes
    grid->addWidget(informationIcon(this), 0, 0, 2, 1, Qt::AlignTop);
    QLabel* message = plainLabel(alert.messageText, this);
    QFont bold = message->font();
    bold.setBold(true);
    message->setFont(bold);
    grid->addWidget(message, 0, 1);
    QLabel* informative = plainLabel(alert.informativeText, this);
    informative->setMinimumWidth(300);
    // Lines wrap at 500 pixels; a name longer than that widens the alert, up to the screen,
    // rather than being cut off.
    const int widest = screen()->availableGeometry().width() - 200;
    informative->setMaximumWidth(
        std::max(500, std::min(informative->minimumSizeHint().width(), widest)));
    grid->addWidget(informative, 1, 1);
    if (alert.showsSuppressionButton) {
        suppression = new QCheckBox(QObject::tr("Do not show this message again"), this);
        suppression->setChecked(alert.suppressionChecked);
        grid->addWidget(suppression, grid->rowCount(), 1);
    }
    if (accessory != nullptr) {
        accessoryHome = accessory->parentWidget();
        grid->addWidget(accessory, grid->rowCount(), 0, 1, 2);
        accessory->show();
    }
    auto* box = new QDialogButtonBox(this); // owned by the dialog
    grid->addWidget(box, grid->rowCount(), 0, 1, 2);
    connect(box, &QDialogButtonBox::clicked, this, [this](QAbstractButton* button) {
        pressed = button;
        accept();
    });
    addButtons(alert.buttons);
}

AlertDialog::~AlertDialog() {
    if (accessory != nullptr) {
        accessory->hide();
        accessory->setParent(accessoryHome);
    }
}

void AlertDialog::addButtons(const QStringList& titles) {
    auto* box = findChild<QDialogButtonBox*>();
    // The first button accepts and the others reject, so the platform orders them as it orders
    // any dialog's.
    for (const QString& title : titles)
        buttons.push_back(box->addButton(title, buttons.empty() ? QDialogButtonBox::AcceptRole
                                                                : QDialogButtonBox::RejectRole));
    if (buttons.empty())
        buttons.push_back(box->addButton(QDialogButtonBox::Ok));
    for (QAbstractButton* button : buttons)
        if (auto* push = qobject_cast<QPushButton*>(button))
            push->setAutoDefault(false);
    if (auto* first = qobject_cast<QPushButton*>(buttons.front())) {
        first->setDefault(true);
        first->setFocus();
    }
}

AlertButton AlertDialog::run() {
    exec();
    const auto at = std::find(buttons.begin(), buttons.end(), pressed);
    if (at == buttons.end())
        return alertButtonAt(std::ssize(buttons) - 1); // Escape or closed: the last
    return alertButtonAt(at - buttons.begin());
}

bool AlertDialog::suppressionChecked() const {
    return suppression != nullptr && suppression->isChecked();
}

} // namespace plenwick
