#include "harrowfenlinks.h"
#include "harrowfenpanel.h"

#include <QCoreApplication>
#include <QUrl>

namespace plenwick {

namespace {
constexpr int PauseBetweenLinksMs = 100;
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
