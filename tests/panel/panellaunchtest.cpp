#include "harrowfenpanel.h"
#include "loadedinterface.h"

#include <QAbstractButton>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

QAbstractButton& dockButton(const Interface& interface) {
    return *interface.panel().findChild<QAbstractButton*>(QStringLiteral("dockButton"));
}

TEST(PanelLaunchTest, AFirstLaunchShowsTheTaskBarIcon) {
    LoadedInterface window;
    window.load();
    EXPECT_EQ(window.settings.onDisk(QStringLiteral("iDock")).toInt(), 1);
    EXPECT_TRUE(dockButton(*window.interface).isChecked());
    EXPECT_EQ(window.desktop.log, QStringList{QStringLiteral("policy 0")});
}

TEST(PanelLaunchTest, TheStoredHiddenModeHoldsFromTheStart) {
    LoadedInterface window;
    window.settings.store(QStringLiteral("firstTime"), 1);
    window.settings.store(QStringLiteral("iDock"), 0);
    window.load();
    EXPECT_FALSE(dockButton(*window.interface).isChecked());
    EXPECT_EQ(window.desktop.log, QStringList{QStringLiteral("policy 1")});
}

TEST(PanelLaunchTest, TheMenuBarCarriesTheSecondSiblingMenu) {
    LoadedInterface window;
    window.load();
    const QAction* item = window.interface->panel().siblingMenuItemForMenuBar();
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(window.interface->mainWindow().menuBar()->actions().contains(item));
    ASSERT_NE(item->menu(), nullptr);
    EXPECT_EQ(item->menu()->actions().size(), 8);
}

TEST(PanelLaunchTest, AboutShowsThePanel) {
    LoadedInterface window;
    window.load();
    window.form().infoButton->click();
    EXPECT_TRUE(window.interface->panel().isVisible());
}

} // namespace
} // namespace plenwick::test
