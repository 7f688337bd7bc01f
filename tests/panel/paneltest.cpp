#include "autostarttiptext.h"
#include "harrowfenlinks.h"
#include "panelfixture.h"
#include "percentencoding.h"
#include "siblingapps.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QSet>
#include <array>
#include <optional>
#include <string>
#include <tuple>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

BundleInfo bundle(const QString& shortVersion, const QVariant& buildNumber) {
    return BundleInfo(
        {{u"CFBundleShortVersionString"_s, shortVersion}, {u"CFBundleVersion"_s, buildNumber}});
}

TEST(PercentEncodingTest, KeepsOnlyItsOwnSetAndEncodesEveryOtherUtf8ByteInUpperCase) {
    // Written out apart from the encoder: what a URL's host may hold, less what splits a field.
    const QByteArray host =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~!$&'()*+,;=:[]";
    const QByteArray field = QByteArray(host).replace('&', "").replace('=', "").replace('+', "");
    for (const auto& [encode, allowed] : {std::pair{&percentEncodedForHost, host},
                                          std::pair{&percentEncodedForMailtoField, field}}) {
        for (char16_t code = 0; code < 0x80; ++code) {
            const QString expected =
                allowed.contains(static_cast<char>(code))
                    ? QString(QChar(code))
                    : u"%%1"_s.arg(int(code), 2, 16, QLatin1Char('0')).toUpper();
            EXPECT_EQ(encode(QStringView(&code, 1)), expected) << "code " << int(code);
        }
        EXPECT_EQ(encode(u"\u00FF€\U0001F600"), u"%C3%BF%E2%82%AC%F0%9F%98%80"_s);
    }
}

TEST(SiblingPromoLinkTest, TheFirstEqualTitleWinsAnythingElseSearchesAndAnEmptyLinkGivesNothing) {
    const QUrl first(u"macappstore://s.example/us/app/a/id1"_s);
    const std::array apps{SiblingApp{u"Quiet"_s, QString()},
                          SiblingApp{u"Twice"_s, first.toString()},
                          SiblingApp{u"Twice"_s, u"macappstore://s.example/us/app/b/id2"_s}};
    const QUrl search(QString::fromUtf16(StoreSearchLink));
    const std::pair<QVariant, std::optional<QUrl>> rows[] = {
        {u"Quiet"_s, std::nullopt}, {u"Twice"_s, first},   {u"twice"_s, search},
        {u"Twice "_s, search},      {u"Nobody"_s, search}, {QVariant(), search},
        {QVariant(0), search}};
    for (const auto& [chosen, link] : rows)
        EXPECT_EQ(promoLink(chosen, apps), link) << chosen.toString().toStdString();
}

using PanelLoadTest = PanelFixture;

TEST_F(PanelLoadTest, LabelShowsTheBundlesVersionAndAMissingBuildNumberAsNull) {
    for (const auto& [build, label] : {std::pair{QVariant(u"5"_s), u"Plenwick v2.1.5"_s},
                                       std::pair{QVariant(), u"Plenwick v2.1.(null)"_s}}) {
        load(bundle(u"2.1"_s, build));
        EXPECT_EQ(outlet<QLabel>("versionLabel").text(), label);
    }
}

// Whether the switch is flipped by a click or by assistive technology's toggle action, which
// changes the state without a click and is the only way to reach it while the store menu is open.
class DockSwitchTest : public PanelFixture, public testing::WithParamInterface<bool> {
protected:
    void flip(QAbstractButton& button) const {
        if (GetParam())
            QAccessible::queryAccessibleInterface(&button)->actionInterface()->doAction(
                QAccessibleActionInterface::toggleAction());
        else
            button.click();
    }
};

TEST_P(DockSwitchTest, StoresTheStateDurablyClosesTheMenuAndActivatesOnlyAfterTheHandler) {
    load();
    auto& menu = outlet<QMenu>("sMenu");
    auto& button = outlet<QAbstractButton>("dockButton");
    for (const auto& [stored, policy, menuStaysOpen] :
         {std::tuple{u"0"_s, u"policy 1"_s, false}, std::tuple{u"1"_s, u"policy 0"_s, true}}) {
        desktop.log.clear();
        menu.popup(QPoint(10, 10));
        flip(button);
        EXPECT_EQ(menu.isVisible(), menuStaysOpen);
        EXPECT_EQ(settings.onDisk(u"iDock"_s).toString(), stored); // synchronized
        EXPECT_EQ(desktop.log, QStringList{policy});               // the activation is queued
        QCoreApplication::processEvents();
        EXPECT_EQ(desktop.log, (QStringList{policy, u"activate"_s}));
    }
}

INSTANTIATE_TEST_SUITE_P(ClickOrToggleAction, DockSwitchTest, testing::Bool());

using SiblingMenusTest = PanelFixture;

TEST_F(SiblingMenusTest, BothSubmenusListEverySiblingAndEachEntryOpensItsOwnPage) {
    load();
    EXPECT_TRUE(outlet<QMenu>("sMenu").actions().contains(&outlet<QAction>("harrowfenSubmenuS")));
    std::vector<QUrl> expected;
    for (const char* item : {"harrowfenSubmenuS", "harrowfenSubmenuD"}) {
        SCOPED_TRACE(item);
        const QMenu* menu = outlet<QAction>(item).menu();
        ASSERT_NE(menu, nullptr);
        const auto entries = menu->actions();
        ASSERT_EQ(entries.size(), 8);
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const SiblingApp& app = siblingApps()[static_cast<std::size_t>(i)];
            EXPECT_EQ(entries[i]->text(), app.title);
            EXPECT_TRUE(entries[i]->shortcuts().isEmpty());
            EXPECT_EQ(entries[i]->icon().isNull(), item == std::string_view("harrowfenSubmenuD"));
            entries[i]->trigger();
            expected.emplace_back(app.storeLink);
        }
    }
    EXPECT_EQ(desktop.openedUrls, expected);
    EXPECT_EQ(QSet<QUrl>(expected.begin(), expected.end()).size(), 8);
}

const QString ProductPage =
    u"open macappstore://apps.storefront.example/us/app/Plenwick/id1784203956"_s;
const QString StoreSearch =
    u"open macappstore://apps.storefront.example/WebObjects/MZSearch.woa/wa/search?q=Harrowfen"_s;
const QString FeatureAlert = u"alert Need more functions? or have some ideas?"_s;
const QString SystemRead = u"system version read"_s;
// The system version text below: parentheses stay, blanks, + & = / and non-ASCII letters encoded.
QString email(const QString& kind, const QString& field) {
    return u"open mailto:support%40harrowfen.example?SUBJECT=Plenwick%202.1.5%20-%20"_s + kind +
           u"%20request&BODY=Hi%20Harrowfen,%0A%0A%0A%0A%0Amy%20OS:T%C3%BCx%20OS%203%20(a%2Bb%26c"
           u"%3Dd%2Fe)%20%C3%A9t%C3%A9%0Amy%20"_s +
           field + u":%0A%0A%0A%0A%0Amyname:%0Amycountry:"_s;
}
const QString SupportEmail = email(u"support"_s, u"issue"_s);
const QString FeatureEmail = email(u"frature"_s, u"request"_s);

// The control used, the answer to its alert if it asks, and what the desktop is asked for.
using ActionRow = std::tuple<std::string, std::optional<AlertButton>, QStringList>;

// A panel of version 2.1.5 on a system whose version text needs encoding.
class PanelSupportActionsTest : public PanelFixture, public testing::WithParamInterface<ActionRow> {
protected:
    void SetUp() override {
        load(bundle(u"2.1"_s, u"5"_s));
        panel->setSystemVersionSource([this] {
            desktop.log.append(SystemRead);
            return u"Tüx OS 3 (a+b&c=d/e) été"_s;
        });
    }

    void activate(const std::string& control) {
        if (auto* button = panel->findChild<QAbstractButton*>(QString::fromStdString(control)))
            button->click();
        else
            outlet<QAction>(control.c_str()).trigger();
    }
};

TEST_P(PanelSupportActionsTest, HandsTheDesktopExactlyTheseRequestsInOrder) {
    const auto& [control, alertAnswer, log] = GetParam();
    if (alertAnswer)
        desktop.answerAlert(*alertAnswer);
    activate(control);
    EXPECT_EQ(desktop.log, log);
    EXPECT_TRUE(desktop.allAnswersUsed());
    for (const auto& shown : desktop.alerts) // the outcomes follow the buttons' order
        EXPECT_EQ(shown.alert.buttons,
                  (QStringList{u"feature request"_s, u"more by Harrowfen"_s, u"cancel"_s}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, PanelSupportActionsTest,
    testing::Values(
        ActionRow{"rateAction", {}, {ProductPage}}, ActionRow{"moreAction", {}, {StoreSearch}},
        ActionRow{"supportButton", {}, {SystemRead, SupportEmail}},
        ActionRow{"featureRequestButton",
                  AlertButton::First,
                  {FeatureAlert, ProductPage, u"run-loop 100"_s, SystemRead, FeatureEmail}},
        ActionRow{"featureRequestButton", AlertButton::Second, {FeatureAlert, StoreSearch}},
        ActionRow{"featureRequestButton", AlertButton::Third, {FeatureAlert}}));

using AutostartTipTest = PanelSupportActionsTest;

TEST_F(AutostartTipTest, ShowsTheTextOfThisVersionWithThePictureAndOpensNothing) {
    desktop.answerAlert(AlertButton::First);
    activate("autostartButton");
    EXPECT_EQ(desktop.log, QStringList{u"alert Tips for 'Auto open at login'"_s});
    ASSERT_EQ(desktop.alerts.size(), 1U);
    const Alert& alert = desktop.alerts.front().alert;
    EXPECT_EQ(alert.informativeText, autostartTipText(u"2.1.5"));
    EXPECT_TRUE(alert.informativeText.contains(u"from version 2.1.5. "_s));
    EXPECT_EQ(alert.buttons, QStringList{u"Got it"_s});
    EXPECT_EQ(alert.accessoryView.data(), &outlet<QLabel>("tipView"));
    EXPECT_FALSE(outlet<QLabel>("tipView").pixmap().isNull());
}

} // namespace
} // namespace plenwick::test
