#include "storelinks.h"

#include <QProcess>
#include <QStringView>

namespace plenwick {

namespace {
constexpr int QueryTimeoutMs = 3000;
}

bool hasSchemeHandler(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    if (scheme != QStringView(StoreScheme))
        return true;
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("x-scheme-handler/") + scheme});
    if (!query.waitForFinished(QueryTimeoutMs) || query.exitCode() != 0)
        return false;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

QUrl webEquivalentOfStoreLink(const QUrl& url) {
    if (url.scheme().toLower() != QStringView(StoreScheme))
        return url;
    QUrl web(url);
    web.setScheme(QStringLiteral("https"));
    return web;
}

} // namespace plenwick
