#include "harrowfenlinks.h"

#include "autostarttiptext.h"
#include "bundleinfo.h"
#include "versiontext.h"

#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

// Blanks, parentheses, a plus sign, an ampersand, an equals sign, a slash and non-ASCII letters.
const QString AwkwardSystem = QStringLiteral("Tüx OS 3 (a+b&c=d/e) été");
const QString AwkwardSystemEncoded =
    QStringLiteral("T%C3%BCx%20OS%203%20(a+b&c=d%2Fe)%20%C3%A9t%C3%A9");

TEST(EmailLinkTest, SupportRequestIsExactToTheByte) {
    EXPECT_EQ(emailLink(EmailKind::SupportRequest, u"2.1.5", AwkwardSystem),
              QStringLiteral("mailto:support%40harrowfen.example"
                             "?SUBJECT=Plenwick%202.1.5%20-%20support%20request"
                             "&BODY=Hi%20Harrowfen,%0A%0A%0A%0A%0Amy%20OS:") +
                  AwkwardSystemEncoded +
                  QStringLiteral("%0Amy%20issue:%0A%0A%0A%0A%0Amyname:%0Amycountry:"));
}

TEST(EmailLinkTest, FeatureRequestIsExactToTheByte) {
    EXPECT_EQ(emailLink(EmailKind::FeatureRequest, u"2.1.5", AwkwardSystem),
              QStringLiteral("mailto:support%40harrowfen.example"
                             "?SUBJECT=Plenwick%202.1.5%20-%20frature%20request"
                             "&BODY=Hi%20Harrowfen,%0A%0A%0A%0A%0Amy%20OS:") +
                  AwkwardSystemEncoded +
                  QStringLiteral("%0Amy%20request:%0A%0A%0A%0A%0Amyname:%0Amycountry:"));
}

TEST(EmailLinkTest, TheVersionIsEncodedInTheSubjectOnly) {
    const QString link = emailLink(EmailKind::SupportRequest, u"1.0 (beta/2)", u"");
    EXPECT_TRUE(link.contains(QStringLiteral("SUBJECT=Plenwick%201.0%20(beta%2F2)%20-%20support")));
    EXPECT_TRUE(link.contains(QStringLiteral("my%20OS:%0Amy%20issue:")));
}

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
