#include "panelfixture.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <optional>

namespace plenwick::test {
namespace {

const QString FirstTime = QStringLiteral("firstTime");
const QString Dock = QStringLiteral("iDock");

QByteArray fileContents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct FirstLaunchRow {
    std::optional<QVariant> firstTime; // nothing: no entry at all
    std::optional<QVariant> dock;
    int firstTimeAfter;
    int dockAfter;
};

class FirstLaunchTest : public PanelFixture, public testing::WithParamInterface<FirstLaunchRow> {};

TEST_P(FirstLaunchTest, WritesBothKeysUnlessTheMarkerIsExactlyOne) {
    const FirstLaunchRow& row = GetParam();
    if (row.firstTime)
        settings.store(FirstTime, *row.firstTime);
    if (row.dock)
        settings.store(Dock, *row.dock);
    load();
    EXPECT_EQ(settings.onDisk(FirstTime).toInt(), row.firstTimeAfter);
    EXPECT_EQ(settings.onDisk(Dock).toInt(), row.dockAfter);
    EXPECT_TRUE(desktop.log.isEmpty()) << desktop.log.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Table, FirstLaunchTest,
                         testing::Values(FirstLaunchRow{std::nullopt, std::nullopt, 1, 1},
                                         FirstLaunchRow{QVariant(0), QVariant(0), 1, 1},
                                         FirstLaunchRow{QVariant(2), QVariant(0), 1, 1},
                                         FirstLaunchRow{QVariant(-1), QVariant(0), 1, 1},
                                         FirstLaunchRow{QVariant(QStringLiteral("yes")),
                                                        QVariant(0), 1, 1},
                                         FirstLaunchRow{QVariant(1), QVariant(0), 1, 0},
                                         FirstLaunchRow{QVariant(1), std::nullopt, 1, 0}));

using PanelLoadTest = PanelFixture;

TEST_F(PanelLoadTest, ALaterLaunchWritesNothingAtAll) {
    settings.store(FirstTime, 1);
    settings.store(Dock, 0);
    const QByteArray before = fileContents(settings.filePath());
    load();
    EXPECT_EQ(fileContents(settings.filePath()), before);
}

TEST_F(PanelLoadTest, LabelShowsTheVersionOfTheBundle) {
    load(BundleInfo({{QStringLiteral("CFBundleShortVersionString"), QStringLiteral("2.1")},
                     {QStringLiteral("CFBundleVersion"), QStringLiteral("5")}}));
    EXPECT_EQ(panel->version(), QStringLiteral("2.1.5"));
    EXPECT_EQ(outlet<QLabel>("versionLabel").text(), QStringLiteral("Plenwick v2.1.5"));
}

TEST_F(PanelLoadTest, ABundleWithoutABuildNumberStillGetsALabel) {
    load(BundleInfo({{QStringLiteral("CFBundleShortVersionString"), QStringLiteral("2.1")}}));
    EXPECT_EQ(outlet<QLabel>("versionLabel").text(), QStringLiteral("Plenwick v2.1.(null)"));
}

TEST_F(PanelLoadTest, LoadingLeavesTheSwitchAndTheTaskBarAlone) {
    settings.store(FirstTime, 1);
    settings.store(Dock, 0);
    load();
    EXPECT_TRUE(outlet<QAbstractButton>("dockButton").isChecked());
    EXPECT_TRUE(desktop.log.isEmpty());
}

TEST_F(PanelLoadTest, EveryControlHasANameAndTakesTheKeyboardFocus) {
    load();
    const auto buttons = panel->findChildren<QAbstractButton*>();
    EXPECT_EQ(buttons.size(), 5);
    for (const QAbstractButton* button : buttons) {
        EXPECT_FALSE(button->accessibleName().isEmpty()) << button->objectName().toStdString();
        EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus) << button->objectName().toStdString();
    }
    EXPECT_EQ(outlet<QPushButton>("storeButton").menu(), &outlet<QMenu>("sMenu"));
}

using DockSwitchTest = PanelFixture;

TEST_F(DockSwitchTest, OffHidesTheIconStoresZeroAndActivatesAfterwards) {
    load();
    outlet<QAbstractButton>("dockButton").click();
    EXPECT_EQ(desktop.log, QStringList{QStringLiteral("policy 1")});
    EXPECT_EQ(settings.onDisk(Dock).toInt(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(desktop.log, (QStringList{QStringLiteral("policy 1"), QStringLiteral("activate")}));
}

TEST_F(DockSwitchTest, OnShowsTheIconAndStoresOne) {
    settings.store(FirstTime, 1);
    settings.store(Dock, 0);
    load();
    auto& dockButton = outlet<QAbstractButton>("dockButton");
    dockButton.setChecked(false);
    dockButton.click();
    QCoreApplication::processEvents();
    EXPECT_EQ(desktop.log, (QStringList{QStringLiteral("policy 0"), QStringLiteral("activate")}));
    EXPECT_EQ(settings.onDisk(Dock).toInt(), 1);
}

TEST_F(DockSwitchTest, TwoQuickTogglesActivateTwice) {
    load();
    auto& dockButton = outlet<QAbstractButton>("dockButton");
    dockButton.click();
    dockButton.click();
    QCoreApplication::processEvents();
    EXPECT_EQ(desktop.log, (QStringList{QStringLiteral("policy 1"), QStringLiteral("policy 0"),
                                        QStringLiteral("activate"), QStringLiteral("activate")}));
    EXPECT_EQ(settings.onDisk(Dock).toInt(), 1);
}

TEST_F(DockSwitchTest, TurningTheIconOffClosesTheOpenMenuAndOnLeavesItOpen) {
    load();
    auto& dockButton = outlet<QAbstractButton>("dockButton");
    auto& menu = outlet<QMenu>("sMenu");
    menu.popup(QPoint(10, 10));
    dockButton.click();
    EXPECT_FALSE(menu.isVisible());
    menu.popup(QPoint(10, 10));
    dockButton.click();
    EXPECT_TRUE(menu.isVisible());
    menu.close();
}

struct StoredModeRow {
    std::optional<QVariant> dock;
    bool shown;
};

class RestoreDockModeTest : public PanelFixture,
                            public testing::WithParamInterface<StoredModeRow> {};

TEST_P(RestoreDockModeTest, OnlyAStoredZeroHidesTheIcon) {
    settings.store(FirstTime, 1);
    if (GetParam().dock)
        settings.store(Dock, *GetParam().dock);
    load();
    panel->restoreDockIconMode();
    EXPECT_EQ(outlet<QAbstractButton>("dockButton").isChecked(), GetParam().shown);
    EXPECT_EQ(desktop.log, QStringList{GetParam().shown ? QStringLiteral("policy 0")
                                                        : QStringLiteral("policy 1")});
}

INSTANTIATE_TEST_SUITE_P(Table, RestoreDockModeTest,
                         testing::Values(StoredModeRow{std::nullopt, true},
                                         StoredModeRow{QVariant(1), true},
                                         StoredModeRow{QVariant(0), false},
                                         StoredModeRow{QVariant(7), true},
                                         StoredModeRow{QVariant(QStringLiteral("off")), true}));

} // namespace
} // namespace plenwick::test
