#pragma once

#include <QUrl>

namespace plenwick {

// The scheme of the software store's links.
inline constexpr char16_t StoreScheme[] = u"macappstore";

// Whether some program on this machine takes links of the URL's scheme. Web, mail and file links
// always count as handled.
[[nodiscard]] bool hasSchemeHandler(const QUrl& url);
// A store link's web page: the same address over https. Other links come back unchanged.
[[nodiscard]] QUrl webEquivalentOfStoreLink(const QUrl& url);

} // namespace plenwick
