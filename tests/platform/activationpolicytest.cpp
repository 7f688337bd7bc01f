#include "activationpolicy.h"

#include <QDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace plenwick {
namespace {

// Hiding the task-bar icon, even twice, turns every window into a tool window; showing it again
// must give each window back its own kind, a dialog included, and keep shown windows shown.
TEST(ActivationPolicyTest, WindowsLeaveTheTaskBarAndComeBackAsTheyWere) {
    QMainWindow main;
    QDialog panel;
    main.show();
    applyActivationPolicy(ActivationPolicy::Accessory);
    applyActivationPolicy(ActivationPolicy::Accessory);
    EXPECT_EQ(main.windowType(), Qt::Tool);
    EXPECT_EQ(panel.windowType(), Qt::Tool);
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(panel.isVisible());
    EXPECT_TRUE(main.menuBar()->isHidden());

    applyActivationPolicy(ActivationPolicy::Regular);
    EXPECT_EQ(main.windowType(), Qt::Window);
    EXPECT_EQ(panel.windowType(), Qt::Dialog);
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(main.menuBar()->isHidden());
}

} // namespace
} // namespace plenwick
