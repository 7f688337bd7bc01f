#include "autostarttiptext.h"
#include "harrowfenlinks.h"
#include "panelfixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLabel>

namespace plenwick::test {
namespace {

const QString ProductPage =
    QStringLiteral("macappstore://apps.storefront.example/us/app/Plenwick/id1784203956");
const QString StoreSearch = QStringLiteral(
    "macappstore://apps.storefront.example/WebObjects/MZSearch.woa/wa/search?q=Harrowfen");
// Blanks, parentheses, a plus sign, an ampersand, an equals sign, a slash and non-ASCII letters.
const QString AwkwardSystem = QStringLiteral("Tüx OS 3 (a+b&c=d/e) été");
const QString AwkwardSystemEncoded =
    QStringLiteral("T%C3%BCx%20OS%203%20(a+b&c=d%2Fe)%20%C3%A9t%C3%A9");

class SupportActionsTest : public PanelFixture {
protected:
    void SetUp() override {
        load(BundleInfo({{QStringLiteral("CFBundleShortVersionString"), QStringLiteral("2.1")},
                         {QStringLiteral("CFBundleVersion"), QStringLiteral("5")}}));
        panel->setSystemVersionSource([this] {
            desktop.log.append(QStringLiteral("system version read"));
            return AwkwardSystem;
        });
    }

    [[nodiscard]] static QString opened(const QString& link) { return u"open " + link; }
};

TEST_F(SupportActionsTest, SupportButtonOpensTheSupportEmailExactly) {
    outlet<QAbstractButton>("supportButton").click();
    ASSERT_EQ(desktop.openedUrls.size(), 1U);
    EXPECT_EQ(desktop.openedUrls.front().toEncoded(),
              QByteArray("mailto:support%40harrowfen.example"
                         "?SUBJECT=Plenwick%202.1.5%20-%20support%20request"
                         "&BODY=Hi%20Harrowfen,%0A%0A%0A%0A%0Amy%20OS:") +
                  AwkwardSystemEncoded.toLatin1() +
                  QByteArray("%0Amy%20issue:%0A%0A%0A%0A%0Amyname:%0Amycountry:"));
    EXPECT_TRUE(desktop.alerts.empty());
}

TEST_F(SupportActionsTest, FeatureRequestOpensTheStorePageThenAfterAPauseTheEmail) {
    desktop.answerAlert({.code = 1000, .suppressionChecked = std::nullopt});
    outlet<QAbstractButton>("featureRequestButton").click();

    ASSERT_EQ(desktop.alerts.size(), 1U);
    const Alert& alert = desktop.alerts.front().alert;
    EXPECT_EQ(alert.messageText, QStringLiteral("Need more functions? or have some ideas?"));
    EXPECT_EQ(alert.informativeText,
              QStringLiteral("Plese visit app's home page and leave your request there. You may "
                             "also drop us an email or check out all our apps up to now."));
    EXPECT_EQ(alert.buttons,
              (QStringList{QStringLiteral("feature request"), QStringLiteral("more by Harrowfen"),
                           QStringLiteral("cancel")}));
    EXPECT_TRUE(alert.titlebarAppearsTransparent);

    const QString email = QStringLiteral("mailto:support%40harrowfen.example"
                                         "?SUBJECT=Plenwick%202.1.5%20-%20frature%20request"
                                         "&BODY=Hi%20Harrowfen,%0A%0A%0A%0A%0Amy%20OS:") +
                          AwkwardSystemEncoded +
                          QStringLiteral("%0Amy%20request:%0A%0A%0A%0A%0Amyname:%0Amycountry:");
    EXPECT_EQ(desktop.log, (QStringList{u"alert " + alert.messageText, opened(ProductPage),
                                        QStringLiteral("run-loop 100"),
                                        QStringLiteral("system version read"), opened(email)}));
}

TEST_F(SupportActionsTest, MoreByHarrowfenInTheAlertOpensOnlyTheStoreSearch) {
    desktop.answerAlert({.code = 1001, .suppressionChecked = std::nullopt});
    outlet<QAbstractButton>("featureRequestButton").click();
    EXPECT_EQ(desktop.log, (QStringList{QStringLiteral("alert Need more functions? or have some "
                                                       "ideas?"),
                                        opened(StoreSearch)}));
}

TEST_F(SupportActionsTest, CancelOrAnyOtherAnswerOpensNothing) {
    for (const int code : {1002, 1003, 0, -1}) {
        desktop.answerAlert({.code = code, .suppressionChecked = std::nullopt});
        outlet<QAbstractButton>("featureRequestButton").click();
    }
    EXPECT_EQ(desktop.alerts.size(), 4U);
    EXPECT_TRUE(desktop.openedUrls.empty());
    EXPECT_EQ(desktop.log.size(), 4);
}

TEST_F(SupportActionsTest, RateAndMoreOnlyHandALinkToTheDesktop) {
    outlet<QAction>("rateAction").trigger();
    outlet<QAction>("moreAction").trigger();
    EXPECT_EQ(desktop.log, (QStringList{opened(ProductPage), opened(StoreSearch)}));
}

TEST_F(SupportActionsTest, AutostartTipShowsTheTextAndThePicture) {
    QFile file(settings.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    desktop.answerAlert({.code = 1000, .suppressionChecked = std::nullopt});
    outlet<QAbstractButton>("autostartButton").click();

    ASSERT_EQ(desktop.alerts.size(), 1U);
    const Alert& alert = desktop.alerts.front().alert;
    EXPECT_EQ(alert.messageText, QStringLiteral("Tips for 'Auto open at login'"));
    EXPECT_EQ(alert.informativeText, autostartTipText(u"2.1.5"));
    EXPECT_EQ(alert.buttons, QStringList{QStringLiteral("Got it")});
    EXPECT_TRUE(alert.titlebarAppearsTransparent);
    auto& tipView = outlet<QLabel>("tipView");
    EXPECT_EQ(alert.accessoryView.data(), &tipView);
    EXPECT_FALSE(tipView.pixmap().isNull());
    EXPECT_TRUE(desktop.openedUrls.empty());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

} // namespace
} // namespace plenwick::test
