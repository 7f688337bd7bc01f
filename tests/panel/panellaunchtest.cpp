#include "harrowfenpanel.h"
#include "loadedinterface.h"

#include <QMenuBar>
#include <gtest/gtest.h>
#include <tuple>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

// Stored "firstTime" and "iDock" (null: no entry), "iDock" in the file after the launch and
// whether the icon shows.
using StoredModeRow = std::tuple<QVariant, QVariant, QString, bool>;

class DockModeAtLaunchTest : public testing::TestWithParam<StoredModeRow> {};

// The first launch (any marker but exactly 1) writes both keys, durably; then only a stored 0
// hides the icon.
TEST_P(DockModeAtLaunchTest, SetsTheSwitchAndTheTaskBarFromTheStoredMode) {
    LoadedInterface window;
    const auto& [firstTime, dock, dockAfter, shown] = GetParam();
    if (firstTime.isValid())
        window.settings.store(u"firstTime"_s, firstTime);
    if (dock.isValid())
        window.settings.store(u"iDock"_s, dock);
    window.load();
    EXPECT_EQ(window.settings.onDisk(u"firstTime"_s).toString(), u"1"_s);
    EXPECT_EQ(window.settings.onDisk(u"iDock"_s).toString(), dockAfter);
    const auto* button = window.interface->panel().findChild<QAbstractButton*>(u"dockButton"_s);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->isChecked(), shown);
    EXPECT_EQ(window.desktop.log, QStringList{shown ? u"policy 0"_s : u"policy 1"_s});
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, DockModeAtLaunchTest, testing::Values(
    StoredModeRow{{}, {}, u"1"_s, true}, StoredModeRow{{}, 0, u"1"_s, true},
    StoredModeRow{0, 0, u"1"_s, true}, StoredModeRow{2, 0, u"1"_s, true},
    StoredModeRow{u"yes"_s, 0, u"1"_s, true}, StoredModeRow{1, 0, u"0"_s, false},
    StoredModeRow{1, {}, QString(), true}, StoredModeRow{1, 1, u"1"_s, true},
    StoredModeRow{1, 7, u"7"_s, true}, StoredModeRow{1, u"off"_s, u"off"_s, true}));
// clang-format on

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
