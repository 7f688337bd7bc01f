#include "harrowfenpanel.h"

#include "autostarttiptext.h"
#include "harrowfenlinks.h"
#include "siblingapps.h"
#include "systemversion.h"
#include "ui_panel.h"
#include "versiontext.h"

#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QSignalBlocker>
#include <QUrl>
#include <memory>
#include <utility>

namespace plenwick {

namespace {
// Assistive technology reads a named label's name alone, never its text: the description
// carries the text.
void setLabelText(QLabel& label, const QString& text) {
    label.setText(text);
    label.setAccessibleDescription(text);
}

constexpr int PauseBetweenLinksMs = 100;

// The menu image compiled in under the title's name; none when there is none.
QIcon namedImage(const QString& name) {
    const QString path = u":/siblings/" + name + u".png";
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

void installSubmenu(QAction* item, std::unique_ptr<QMenu> submenu) {
    if (item == nullptr)
        return;
    submenu->setTitle(item->text());
    QMenu* previous = item->menu();
    item->setMenu(submenu.release()); // owned by its parent, the panel
    if (previous != nullptr)
        previous->deleteLater(); // it may still be on screen in its own event loop
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

void Harrowfenpanel::tipsForAutostart(QObject* /*sender*/) {
    Alert alert;
    alert.messageText = QCoreApplication::translate("Panel", "Tips for 'Auto open at login'");
    alert.informativeText = autostartTipText(appVersion);
    alert.buttons = {QCoreApplication::translate("Panel", "Got it")};
    alert.titlebarAppearsTransparent = true;
    alert.accessoryView = tipView;
    services.runAlert(alert);
}

void Harrowfenpanel::addingPromoAppsOfHarrowfen(const QStringList& titles) {
    auto withImages = std::make_unique<QMenu>(this);
    auto withoutImages = std::make_unique<QMenu>(this);
    for (const QString& title : titles) {
        for (QMenu* menu : {withImages.get(), withoutImages.get()}) {
            QAction* item = menu->addAction(title);
            item->setData(title);
            connect(item, &QAction::triggered, this, [this, item] { excuteMyPromo(item); });
        }
        withImages->actions().constLast()->setIcon(namedImage(title));
    }
    installSubmenu(harrowfenSubmenuS, std::move(withImages));
    installSubmenu(harrowfenSubmenuD, std::move(withoutImages));
}

void Harrowfenpanel::excuteMyPromo(QObject* sender) {
    const auto* item = qobject_cast<const QAction*>(sender);
    if (const auto link = promoLink(item != nullptr ? item->data() : QVariant(), siblingApps()))
        services.openUrl(*link);
}

void Harrowfenpanel::rateMe(QObject* /*sender*/) {
    services.openUrl(QUrl(QString::fromUtf16(ProductPageLink)));
}

void Harrowfenpanel::sendEmailtoMe(QObject* /*sender*/) {
    services.openUrl(QUrl(emailLink(EmailKind::SupportRequest, appVersion, systemVersion())));
}

void Harrowfenpanel::featureRequest(QObject* /*sender*/) {
    Alert alert;
    alert.messageText =
        QCoreApplication::translate("Panel", "Need more functions? or have some ideas?");
    alert.informativeText = QCoreApplication::translate(
        "Panel", "Plese visit app's home page and leave your request there. You may also "
                 "drop us an email or check out all our apps up to now.");
    alert.buttons = {QCoreApplication::translate("Panel", "feature request"),
                     QCoreApplication::translate("Panel", "more by Harrowfen"),
                     QCoreApplication::translate("Panel", "cancel")};
    alert.titlebarAppearsTransparent = true;

    switch (services.runAlert(alert)) {
    case AlertButton::First:
        services.openUrl(QUrl(QString::fromUtf16(ProductPageLink)));
        // Lets the store take the first link before the mail program is asked for the second.
        services.runEventLoopFor(PauseBetweenLinksMs);
        services.openUrl(QUrl(emailLink(EmailKind::FeatureRequest, appVersion, systemVersion())));
        break;
    case AlertButton::Second:
        services.openUrl(QUrl(QString::fromUtf16(StoreSearchLink)));
        break;
    default:
        break;
    }
}

void Harrowfenpanel::moreBYharrowfen(QObject* /*sender*/) {
    services.openUrl(QUrl(QString::fromUtf16(StoreSearchLink)));
}

} // namespace plenwick
