#pragma once

#include <QString>
#include <QStringView>

namespace plenwick {

inline constexpr char16_t ProductName[] = u"Plenwick";
// The program's own page in the software store.
inline constexpr char16_t ProductPageLink[] =
    u"macappstore://apps.storefront.example/us/app/Plenwick/id1784203956";
// The store's search for every program by the maker; also where an unknown sibling entry leads.
inline constexpr char16_t StoreSearchLink[] =
    u"macappstore://apps.storefront.example/WebObjects/MZSearch.woa/wa/search?q=Harrowfen";
inline constexpr char16_t SupportAddress[] = u"support@harrowfen.example";

enum class EmailKind { SupportRequest, FeatureRequest };

// The mailto link of a new message to the support address: subject and body name the program's
// version and the system it runs on, with room for the user's own words.
[[nodiscard]] QString emailLink(EmailKind kind, QStringView appVersion, QStringView systemVersion);

} // namespace plenwick
