#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <optional>
#include <span>

namespace plenwick {

// One of the maker's other programs, as the sibling menus list it.
struct SiblingApp final {
    QString title; // shown in the menus, names the menu image and identifies the entry
    QString storeLink;
};

// The maker's other programs, in menu order.
[[nodiscard]] std::span<const SiblingApp> siblingApps();
[[nodiscard]] QStringList titlesOf(std::span<const SiblingApp> apps);

// The link a chosen menu entry opens, found by the title it carries: the first entry with that
// title gives its store link, no such entry gives the store search, and an empty link gives none.
[[nodiscard]] std::optional<QUrl> promoLink(const QVariant& representedObject,
                                            std::span<const SiblingApp> apps);

} // namespace plenwick
