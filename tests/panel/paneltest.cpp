#include "harrowfenpanel.h"
#include "loadedinterface.h"
#include "siblingapps.h"

#include <QAccessible>
#include <QMenuBar>
#include <gtest/gtest.h>
#include <ranges>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

// A real panel of version 2.1 build 5 over a scripted desktop and a settings file in a temporary
// folder, woken as the interface loader wakes it, on a system whose version text needs encoding.
class PanelTest : public testing::Test {
protected:
    void load(const QVariant& buildNumber = u"5"_s) {
        panel = std::make_unique<Harrowfenpanel>(
            desktop, settings.userDefaults(),
            BundleInfo({{u"CFBundleShortVersionString"_s, u"2.1"_s},
                        {u"CFBundleVersion"_s, buildNumber}}));
        panel->awakeFromNib();
        panel->setSystemVersionSource([this] {
            desktop.log.append(u"system version read"_s);
            return u"Tüx OS 3 (a+b&c=d/e) été"_s;
        });
    }

    template <typename T> [[nodiscard]] T& outlet(const QString& name) const {
        auto* child = panel->findChild<T*>(name);
        if (child == nullptr)
            throw std::logic_error("the panel has no " + name.toStdString());
        return *child;
    }

    ScriptedDesktopServices desktop;
    TemporarySettings settings;
    std::unique_ptr<Harrowfenpanel> panel;
};

TEST_F(PanelTest, BothSubmenusListEverySiblingAndEachEntryOpensItsOwnPage) {
    load();
    QStringList expected;
    for (const QString& item : {u"harrowfenSubmenuS"_s, u"harrowfenSubmenuD"_s}) {
        const QMenu* menu = outlet<QAction>(item).menu();
        ASSERT_NE(menu, nullptr) << item.toStdString();
        const auto entries = menu->actions();
        ASSERT_EQ(entries.size(), 8);
        for (qsizetype i = 0; i < entries.size(); ++i) {
            entries[i]->trigger();
            expected.append(u"open "_s + siblingApps()[static_cast<std::size_t>(i)].storeLink);
        }
    }
    EXPECT_EQ(desktop.log, expected);
}

// The control used, the answer to its alert if it asks, and what the desktop is asked for. The
// version reaches the label and the tip on opening the program at login, which shows its picture
// and opens nothing; a missing build number reads as null, as it always did.
TEST_F(PanelTest, EachSupportControlHandsTheDesktopExactlyTheseRequestsInOrder) {
    const QString productPage =
        u"open macappstore://apps.storefront.example/us/app/Plenwick/id1784203956"_s;
    const QString storeSearch =
        u"open macappstore://apps.storefront.example/WebObjects/MZSearch.woa/wa/search?q=Harrowfen"_s;
    const QString feature = u"alert Need more functions? or have some ideas?"_s;
    const QString system = u"system version read"_s;
    // The system version: parentheses stay, blanks, + & = / and non-ASCII letters encoded.
    const auto email = [](const QString& kind, const QString& field) -> QString {
        return u"open mailto:support%40harrowfen.example?SUBJECT=Plenwick%202.1.5%20-%20"_s + kind +
               u"%20request&BODY=Hi%20Harrowfen,%0A%0A%0A%0A%0Amy%20OS:T%C3%BCx%20OS%203%20(a%2Bb"
               u"%26c%3Dd%2Fe)%20%C3%A9t%C3%A9%0Amy%20"_s +
               field + u":%0A%0A%0A%0A%0Amyname:%0Amycountry:"_s;
    };
    const std::tuple<QString, std::optional<AlertButton>, QStringList> rows[] = {
        {u"autostartButton"_s, AlertButton::First, {u"alert Tips for 'Auto open at login'"_s}},
        {u"rateAction"_s, {}, {productPage}},
        {u"moreAction"_s, {}, {storeSearch}},
        {u"supportButton"_s, {}, {system, email(u"support"_s, u"issue"_s)}},
        {u"featureRequestButton"_s,
         AlertButton::First,
         {feature, productPage, u"run-loop 100"_s, system, email(u"frature"_s, u"request"_s)}},
        {u"featureRequestButton"_s, AlertButton::Second, {feature, storeSearch}},
        {u"featureRequestButton"_s, AlertButton::Third, {feature}}};
    load();
    for (const auto& [control, answer, log] : rows) {
        desktop.log.clear();
        if (answer)
            desktop.answerAlert(*answer);
        if (auto* button = panel->findChild<QAbstractButton*>(control))
            button->click();
        else
            outlet<QAction>(control).trigger();
        EXPECT_EQ(desktop.log, log);
    }
    EXPECT_TRUE(desktop.allAnswersUsed());
    for (const auto& shown : desktop.alerts | std::views::drop(1)) // in the outcomes' order
        EXPECT_EQ(shown.buttons,
                  (QStringList{u"feature request"_s, u"more by Harrowfen"_s, u"cancel"_s}));
    const Alert& tip = desktop.alerts.front();
    EXPECT_TRUE(tip.informativeText.contains(u"from version 2.1.5. "_s));
    EXPECT_EQ(tip.buttons, QStringList{u"Got it"_s});
    EXPECT_EQ(tip.accessoryView.data(), &outlet<QLabel>(u"tipView"_s));
    EXPECT_FALSE(outlet<QLabel>(u"tipView"_s).pixmap().isNull());
    EXPECT_EQ(outlet<QLabel>(u"versionLabel"_s).text(), u"Plenwick v2.1.5"_s);
    load(QVariant());
    EXPECT_EQ(outlet<QLabel>(u"versionLabel"_s).text(), u"Plenwick v2.1.(null)"_s);
}

// The first launch (any marker but exactly 1) writes both keys, durably; then only a stored 0
// hides the icon. Stored "firstTime" and "iDock" (null: no entry), "iDock" in the file after the
// launch and whether the icon shows. The switch is then flipped by assistive technology's toggle
// action, which changes the state without a click (as a click does too) and is the only way to
// reach it while the store menu is open: the state is stored, turning the icon off closes the
// menu, and the activation comes after the handler. The menu bar carries the second sibling
// menu, and About shows the panel.
TEST(PanelLaunchTest, SetsTheSwitchAndTheTaskBarFromTheStoredMode) {
    const std::tuple<QVariant, QVariant, QString, bool> rows[] = {
        {{}, {}, u"1"_s, true}, {{}, 0, u"1"_s, true}, {1, 0, u"0"_s, false}, {1, {}, {}, true}};
    for (const auto& [firstTime, dock, dockAfter, shown] : rows) {
        SCOPED_TRACE(firstTime.toString().toStdString() + " " + dock.toString().toStdString());
        LoadedInterface window;
        if (firstTime.isValid())
            window.settings.store(u"firstTime"_s, firstTime);
        if (dock.isValid())
            window.settings.store(u"iDock"_s, dock);
        window.load();
        EXPECT_EQ(window.settings.onDisk(u"firstTime"_s).toString(), u"1"_s);
        EXPECT_EQ(window.settings.onDisk(u"iDock"_s).toString(), dockAfter);
        auto* button = window.interface->panel().findChild<QAbstractButton*>(u"dockButton"_s);
        EXPECT_EQ(button->isChecked(), shown);
        EXPECT_EQ(window.desktop.log, QStringList{shown ? u"policy 0"_s : u"policy 1"_s});
        auto* menu = window.interface->panel().findChild<QMenu*>(u"sMenu"_s);
        window.desktop.log.clear();
        menu->popup(QPoint(10, 10));
        QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
        EXPECT_EQ(menu->isVisible(), !shown);
        EXPECT_EQ(window.settings.onDisk(u"iDock"_s).toString(), shown ? u"0"_s : u"1"_s);
        EXPECT_EQ(window.desktop.log, QStringList{shown ? u"policy 1"_s : u"policy 0"_s});
        QCoreApplication::processEvents();
        EXPECT_EQ(window.desktop.log.last(), u"activate"_s);
        EXPECT_TRUE(window.interface->mainWindow().menuBar()->actions().contains(
            window.interface->panel().siblingMenuItemForMenuBar()));
        window.form().infoButton->click();
        EXPECT_TRUE(window.interface->panel().isVisible());
    }
}

} // namespace
} // namespace plenwick::test
