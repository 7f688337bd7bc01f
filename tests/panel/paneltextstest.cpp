
#include "autostarttiptext.h"
#include "bundleinfo.h"
#include "versiontext.h"

#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

TEST(AutostartTipTextTest, IsExactToTheByte) {
    const QString expected = QStringLiteral(
        "To save the reserved resource of your macOS under sandbox, we've stopped using hidden "
        "helper agent on loading 'Auto open at login (Auto start)' function from version 2.1.5. "
        "You can simply make any Mac app auto open at login in two ways:\n"
        "\n"
        "Method A:\n"
        "please goto your \n"
        "->System Preferences \n"
        "-> Users & Groups \n"
        "-> unlock change from left corner\n"
        "-> select your user name from left column\n"
        "-> select Login Items tab from right colum\n"
        "-> click + button to locate and add 'Plenwick'\n"
        "-> lock change from left corner\n"
        "\n"
        "Method B:\n"
        "from dock icon of 'Plenwick'\n"
        "->right click icon then clicking Options\n"
        "->select Open at Login\n"
        "(see attached screenshot for details)");
    EXPECT_EQ(autostartTipText(u"2.1.5"), expected);
}

TEST(AutostartTipTextTest, TakesAVersionThatLooksLikeAPlaceholderAsItStands) {
    const QString text = autostartTipText(u"%2");
    EXPECT_TRUE(text.contains(QStringLiteral("from version %2. You")));
    EXPECT_EQ(text.count(QStringLiteral("'Plenwick'")), 2);
}

TEST(VersionTextTest, JoinsShortVersionAndBuildNumber) {
    const BundleInfo bundle({{QStringLiteral("CFBundleShortVersionString"), QStringLiteral("2.1")},
                             {QStringLiteral("CFBundleVersion"), QStringLiteral("5")}});
    EXPECT_EQ(versionText(bundle), QStringLiteral("2.1.5"));
}

TEST(VersionTextTest, AMissingKeyStillGivesAText) {
    EXPECT_EQ(versionText(BundleInfo({{QStringLiteral("CFBundleVersion"), 5}})),
              QStringLiteral("(null).5"));
    EXPECT_EQ(versionText(BundleInfo(
                  {{QStringLiteral("CFBundleShortVersionString"), QStringLiteral("2.1")}})),
              QStringLiteral("2.1.(null)"));
}

} // namespace
} // namespace plenwick::test
