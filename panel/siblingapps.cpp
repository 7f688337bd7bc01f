#include "siblingapps.h"

#include "harrowfenlinks.h"

#include <QMetaType>
#include <algorithm>
#include <array>

namespace plenwick {

namespace {

SiblingApp sibling(const char16_t* title, const char16_t* linkName, const char16_t* storeId) {
    return {QString::fromUtf16(title), u"macappstore://apps.storefront.example/us/app/" +
                                           QString::fromUtf16(linkName) + u"/id" +
                                           QString::fromUtf16(storeId)};
}

} // namespace

std::span<const SiblingApp> siblingApps() {
    static const std::array<SiblingApp, 8> apps{
        sibling(u"Wexmarrow", u"wexmarrow", u"1602849317"),
        sibling(u"Tallowquill", u"tallowquill", u"1573920648"),
        sibling(u"Ferncadge", u"ferncadge", u"1641187205"),
        sibling(u"Glimmerstave", u"glimmerstave", u"1529034861"),
        sibling(u"Oxlipper", u"oxlipper", u"1688412093"),
        sibling(u"Pellorin", u"pellorin", u"1557206734"),
        sibling(u"Skelvane", u"skelvane", u"1619385520"),
        sibling(u"Yarrowdine", u"yarrowdine", u"1590671482"),
    };
    return apps;
}

QStringList titlesOf(std::span<const SiblingApp> apps) {
    QStringList titles;
    titles.reserve(static_cast<qsizetype>(apps.size()));
    for (const SiblingApp& app : apps)
        titles.append(app.title);
    return titles;
}

std::optional<QUrl> promoLink(const QVariant& representedObject, std::span<const SiblingApp> apps) {
    const bool isText = representedObject.metaType() == QMetaType::fromType<QString>();
    const auto chosen = std::find_if(apps.begin(), apps.end(), [&](const SiblingApp& app) {
        return isText && app.title == representedObject.toString();
    });
    const QString link =
        chosen != apps.end() ? chosen->storeLink : QString::fromUtf16(StoreSearchLink);
    if (link.isEmpty())
        return std::nullopt;
    return QUrl(link);
}

} // namespace plenwick
