#include "harrowfenpanel.h"

#include "siblingapps.h"
#include "systemversion.h"
#include "ui_panel.h"
#include "versiontext.h"

#include <QCoreApplication>
#include <QSignalBlocker>
#include <utility>

namespace plenwick {

namespace {
// Assistive technology reads a named label's name alone, never its text: the description
// carries the text.
void setLabelText(QLabel& label, const QString& text) {
    label.setText(text);
    label.setAccessibleDescription(text);
}
} // namespace

Harrowfenpanel::Harrowfenpanel(DesktopServices& services, UserDefaults& defaults,
                               const BundleInfo& bundle, QWidget* parent)
    : QDialog(parent)
    , services(services)
    , defaults(defaults)
    , bundle(bundle)
    , systemVersion(&systemVersionText) {
    Ui::Harrowfenpanel form;
    form.setupUi(this);
    tipView = form.tipView;
    dockButton = form.dockButton;
    sMenu = form.sMenu;
    versionLabel = form.versionLabel;
    harrowfenSubmenuS = form.harrowfenSubmenuS;
    harrowfenSubmenuD = form.harrowfenSubmenuD;

    setLabelText(*form.descriptionLabel, form.descriptionLabel->text());
    form.storeButton->setMenu(form.sMenu);
    // toggled, not clicked: assistive technology's toggle action changes the state without a click.
    connect(form.dockButton, &QAbstractButton::toggled, this,
            [this, button = form.dockButton] { dockIconSwitching(button); });
    connect(form.supportButton, &QAbstractButton::clicked, this,
            [this, button = form.supportButton] { sendEmailtoMe(button); });
    connect(form.featureRequestButton, &QAbstractButton::clicked, this,
            [this, button = form.featureRequestButton] { featureRequest(button); });
    connect(form.autostartButton, &QAbstractButton::clicked, this,
            [this, button = form.autostartButton] { tipsForAutostart(button); });
    connect(form.rateAction, &QAction::triggered, this,
            [this, action = form.rateAction] { rateMe(action); });
    connect(form.moreAction, &QAction::triggered, this,
            [this, action = form.moreAction] { moreBYharrowfen(action); });
}

void Harrowfenpanel::awakeFromNib() {
    appVersion = versionText(bundle);
    if (versionLabel != nullptr)
        setLabelText(*versionLabel,
                     QCoreApplication::translate("Panel", "Plenwick v%1").arg(appVersion));

    if (!defaults.flag(Settings::FirstLaunchDone)) {
        // The icon's value first: a launch marked done has written it.
        defaults.setFlag(Settings::DockIconShown, true);
        defaults.setFlag(Settings::FirstLaunchDone, true);
    }

    addingPromoAppsOfHarrowfen(titlesOf(siblingApps()));
}

void Harrowfenpanel::restoreDockIconMode() {
    const bool hidden = !defaults.flag(Settings::DockIconShown);
    if (dockButton != nullptr) {
        // Showing the stored mode is no switch by the user.
        const QSignalBlocker quiet(dockButton);
        dockButton->setChecked(!hidden);
    }
    services.setActivationPolicy(hidden ? ActivationPolicy::Accessory : ActivationPolicy::Regular);
}

void Harrowfenpanel::setSystemVersionSource(std::function<QString()> source) {
    systemVersion = std::move(source);
}

int Harrowfenpanel::dockButtonState() const {
    return dockButton != nullptr && dockButton->isChecked() ? 1 : 0;
}

void Harrowfenpanel::dockIconSwitching(QObject* /*sender*/) {
    if (dockButtonState() == 0) {
        services.setActivationPolicy(ActivationPolicy::Accessory);
        if (sMenu != nullptr)
            sMenu->close();
    } else {
        services.setActivationPolicy(ActivationPolicy::Regular);
    }
    // Activates once this handler has returned, after the policy and the stored state are final.
    QMetaObject::invokeMethod(
        this, [this] { services.activateApplication(); }, Qt::QueuedConnection);

    defaults.setFlag(Settings::DockIconShown, dockButtonState() != 0);
}

} // namespace plenwick
