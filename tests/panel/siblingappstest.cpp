#include "siblingapps.h"

#include "harrowfenlinks.h"

#include <QRegularExpression>
#include <QSet>
#include <array>
#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

const QUrl StoreSearch(QString::fromUtf16(StoreSearchLink));

TEST(SiblingAppsTest, EightDistinctTitlesWithStorePagesOfTheStoresForm) {
    const auto apps = siblingApps();
    ASSERT_EQ(apps.size(), 8U);
    const QStringList titles = titlesOf(apps);
    EXPECT_EQ(QSet<QString>(titles.begin(), titles.end()).size(), 8);
    const QRegularExpression storePage(
        QStringLiteral("^macappstore://apps\\.storefront\\.example/us/app/[a-z0-9-]+/id[0-9]+$"));
    QSet<QString> links;
    for (const SiblingApp& app : apps) {
        EXPECT_TRUE(storePage.match(app.storeLink).hasMatch()) << app.storeLink.toStdString();
        links.insert(app.storeLink);
    }
    EXPECT_EQ(links.size(), 8);
}

TEST(PromoLinkTest, EachTitleLeadsToItsOwnStorePage) {
    for (const SiblingApp& app : siblingApps())
        EXPECT_EQ(promoLink(app.title, siblingApps()), QUrl(app.storeLink));
}

TEST(PromoLinkTest, WhatMatchesNoTitleLeadsToTheStoreSearch) {
    const QString firstTitle = siblingApps().front().title;
    EXPECT_EQ(promoLink(QStringLiteral("Nobody's App"), siblingApps()), StoreSearch);
    EXPECT_EQ(promoLink(firstTitle.toUpper(), siblingApps()), StoreSearch);
    EXPECT_EQ(promoLink(QString(firstTitle + u' '), siblingApps()), StoreSearch);
    EXPECT_EQ(promoLink(QVariant(), siblingApps()), StoreSearch);
    EXPECT_EQ(promoLink(QVariant(0), siblingApps()), StoreSearch);
    EXPECT_EQ(promoLink(QStringLiteral("x"), {}), StoreSearch);
}

TEST(PromoLinkTest, TheFirstEqualTitleWinsAndAnEmptyLinkOpensNothing) {
    const std::array<SiblingApp, 3> apps{
        SiblingApp{QStringLiteral("Quiet"), QString()},
        SiblingApp{QStringLiteral("Twice"), QStringLiteral("macappstore://s.example/us/app/a/id1")},
        SiblingApp{QStringLiteral("Twice"), QStringLiteral("macappstore://s.example/us/app/b/id2")},
    };
    EXPECT_EQ(promoLink(QStringLiteral("Quiet"), apps), std::nullopt);
    EXPECT_EQ(promoLink(QStringLiteral("Twice"), apps),
              QUrl(QStringLiteral("macappstore://s.example/us/app/a/id1")));
}

} // namespace
} // namespace plenwick::test
