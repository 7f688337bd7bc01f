#include "expectedtexts.h"
#include "loadedinterface.h"
#include "plenwickapp.h"

#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

const QString Key = QStringLiteral("iStatement");

struct Row {
    std::optional<int> stored; // nothing: no entry at all
    bool onDemand;
    bool shown;
    bool shownTicked;
    std::optional<bool> userLeavesBoxTicked; // how the user leaves the box, when shown
    int storedAfterwards;
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << "stored " << (row.stored ? std::to_string(*row.stored) : "nothing")
         << (row.onDemand ? ", on demand" : ", at start-up");
}

class StartupNoticeTest : public testing::TestWithParam<Row> {};

TEST_P(StartupNoticeTest, FollowsTheStoredChoice) {
    const Row& row = GetParam();
    LoadedInterface window(false);
    if (row.stored)
        window.settings.store(Key, *row.stored);
    const bool suppressed = row.stored == 1;
    if (!row.onDemand && row.shown)
        window.desktop.answerAlert({.suppressionChecked = row.userLeavesBoxTicked});
    else if (row.onDemand && !suppressed)
        window.desktop.answerAlert({.suppressionChecked = false}); // the start-up showing
    window.load();
    if (row.onDemand) {
        window.desktop.alerts.clear();
        window.desktop.answerAlert({.suppressionChecked = row.userLeavesBoxTicked});
        window.form().tipButton->click();
    }

    ASSERT_TRUE(window.desktop.allAnswersUsed());
    ASSERT_EQ(window.desktop.alerts.size(), row.shown ? 1U : 0U);
    if (row.shown) {
        const auto& [alert, shownTicked, answer] = window.desktop.alerts.front();
        EXPECT_EQ(alert.messageText, ExpectedTexts::StartupNoticeTitle);
        EXPECT_EQ(alert.informativeText, ExpectedTexts::StartupNotice);
        EXPECT_EQ(alert.buttons, QStringList{ExpectedTexts::GotIt});
        EXPECT_TRUE(alert.titlebarAppearsTransparent);
        EXPECT_TRUE(alert.showsSuppressionButton);
        EXPECT_EQ(shownTicked, row.shownTicked);
    }
    // Written and synchronized on every call: a fresh reader of the file sees it.
    EXPECT_EQ(window.settings.onDisk(Key).toInt(), row.storedAfterwards);
}

INSTANTIATE_TEST_SUITE_P(
    StateTable, StartupNoticeTest,
    testing::Values(
        // First start: shown unticked; left unticked it stays on for the next start.
        Row{std::nullopt, false, true, false, false, 0},
        Row{std::nullopt, false, true, false, true, 1},
        Row{2, false, true, false, false, 0}, // any value but 1 means "not suppressed"
        Row{-1, false, true, false, true, 1}, Row{0, true, true, false, true, 1},
        // Suppressed: start-up shows nothing and writes 1 again; on demand shows it ticked.
        Row{1, false, false, true, std::nullopt, 1}, Row{1, true, true, true, false, 0},
        Row{1, true, true, true, true, 1}));

} // namespace
} // namespace plenwick::test
