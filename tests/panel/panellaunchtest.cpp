#include "harrowfenpanel.h"
#include "loadedinterface.h"

#include <QMenuBar>
#include <gtest/gtest.h>
#include <tuple>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

// Stored "firstTime" and "iDock" (null: no entry in the file) and whether the icon shows.
using StoredModeRow = std::tuple<QVariant, QVariant, bool>;

class DockModeAtLaunchTest : public testing::TestWithParam<StoredModeRow> {};

// The first-launch defaults come before the stored mode is read; then only a stored 0 hides.
TEST_P(DockModeAtLaunchTest, SetsTheSwitchAndTheTaskBarFromTheStoredMode) {
    LoadedInterface window;
    const auto& [firstTime, dock, shown] = GetParam();
    if (firstTime.isValid())
        window.settings.store(u"firstTime"_s, firstTime);
    if (dock.isValid())
        window.settings.store(u"iDock"_s, dock);
    window.load();
    const auto* button = window.interface->panel().findChild<QAbstractButton*>(u"dockButton"_s);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->isChecked(), shown);
    EXPECT_EQ(window.desktop.log, QStringList{shown ? u"policy 0"_s : u"policy 1"_s});
}

INSTANTIATE_TEST_SUITE_P(Table, DockModeAtLaunchTest,
                         testing::Values(StoredModeRow{{}, {}, true}, StoredModeRow{{}, 0, true},
                                         StoredModeRow{1, 0, false}, StoredModeRow{1, {}, true},
                                         StoredModeRow{1, 1, true}, StoredModeRow{1, 7, true},
                                         StoredModeRow{1, u"off"_s, true}));

TEST(PanelLaunchTest, TheMenuBarCarriesTheSecondSiblingMenuAndAboutShowsThePanel) {
    LoadedInterface window;
    window.load();
    const QAction* item = window.interface->panel().siblingMenuItemForMenuBar();
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(window.interface->mainWindow().menuBar()->actions().contains(item));
    EXPECT_EQ(item->menu() != nullptr ? item->menu()->actions().size() : 0, 8);
    window.form().infoButton->click();
    EXPECT_TRUE(window.interface->panel().isVisible());
}

} // namespace
} // namespace plenwick::test
