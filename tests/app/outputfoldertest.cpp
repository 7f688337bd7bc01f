#include "conversionwindow.h"
#include "folderbookmarks.h"

#include <QKeySequence>

namespace plenwick::test {
namespace {

class OutputFolderTest : public ConversionWindow {
protected:
    // Every way through the action asks the user exactly what the test scripted.
    void expectAllAnswersUsed() { EXPECT_TRUE(window.desktop.allAnswersUsed()); }
};

// The path is shown as it is: no '%1' filled in, no '&' made a keyboard shortcut.
TEST_F(OutputFolderTest, ConfirmedFolderMakesTheWindowReadyAndIsRemembered) {
    const QString output = folder(QStringLiteral("100% sure &Co\nsecond line %1"));
    // Looked at before the action's event pass, which would also flush unsaved settings.
    std::optional<QString> onDiskAtFirstPass;
    window.desktop.beforeEachPump = [this, &onDiskAtFirstPass] {
        if (!onDiskAtFirstPass)
            onDiskAtFirstPass = storedItem(Settings::OutputFolderBookmark).value_or(QString());
    };
    chooseOutputFolder(output);
    window.desktop.beforeEachPump = {};
    EXPECT_EQ(onDiskAtFirstPass, output) << "synchronized as soon as it is stored";

    ASSERT_EQ(window.desktop.choosers.size(), 1U);
    const FolderChooser& chooser = window.desktop.choosers.front();
    EXPECT_EQ(chooser.title, ExpectedTexts::OutputChooserTitle);
    EXPECT_EQ(chooser.prompt, ExpectedTexts::OutputChooserPrompt);
    EXPECT_TRUE(chooser.canChooseDirectories && chooser.canCreateDirectories);

    ASSERT_EQ(window.desktop.alerts.size(), 1U);
    const Alert& confirmation = window.desktop.alerts.front().alert;
    EXPECT_EQ(confirmation.messageText, ExpectedTexts::OutputConfirmationTitle);
    EXPECT_EQ(confirmation.informativeText, ExpectedTexts::outputConfirmation(output));
    EXPECT_TRUE(confirmation.informativeText.contains(u":\n\n" + output + u"\n\n"));
    EXPECT_EQ(confirmation.buttons, (QStringList{ExpectedTexts::Ok, ExpectedTexts::Cancel}));
    EXPECT_TRUE(confirmation.titlebarAppearsTransparent);

    EXPECT_EQ(outputTitle(), output);
    EXPECT_TRUE(QKeySequence::mnemonic(form().outfolderB->text()).isEmpty());
    EXPECT_TRUE(form().dpi->isEnabled() && form().startB->isEnabled());
    EXPECT_EQ(window.desktop.beeps, 0);
    expectAllAnswersUsed();
}

struct Outcome {
    const char* what;
    FolderChoice choice; // the folder names are made real by the test
    std::optional<AlertButton> confirmation;
    bool titleKept, startEnabled, dpiEnabled;
    int beeps;
};

void PrintTo(const Outcome& outcome, std::ostream* out) {
    *out << outcome.what;
}

class OutputFolderOutcomeTest : public OutputFolderTest,
                                public testing::WithParamInterface<Outcome> {};

// After an earlier confirmed folder, every other outcome keeps that folder's bookmark.
TEST_P(OutputFolderOutcomeTest, FollowsTheStateTable) {
    const QString earlier = folder(QStringLiteral("earlier"));
    chooseOutputFolder(earlier);
    window.desktop.beeps = 0;
    window.desktop.answerChooser(GetParam().choice);
    if (GetParam().confirmation)
        window.desktop.answerAlert(*GetParam().confirmation);
    form().outfolderB->click();

    EXPECT_EQ(outputTitle(),
              GetParam().titleKept ? earlier : ExpectedTexts::SelectOutputFolderFirst);
    EXPECT_EQ(form().startB->isEnabled(), GetParam().startEnabled);
    EXPECT_EQ(form().dpi->isEnabled(), GetParam().dpiEnabled);
    EXPECT_EQ(window.desktop.beeps, GetParam().beeps);
    EXPECT_EQ(storedItem(Settings::OutputFolderBookmark), earlier);
    expectAllAnswersUsed();
}

const FolderChoice Tmp{ChooserResult::Confirmed, QStringLiteral("/tmp"), {}};
const FolderChoice Root{ChooserResult::Confirmed, QStringLiteral("/"), QStringLiteral("/")};
const FolderChoice EmptyPath{ChooserResult::Confirmed, QString(), QString()};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Outcomes, OutputFolderOutcomeTest, testing::Values(
    Outcome{"confirmation cancelled", Tmp, AlertButton::Second, false, false, false, 1},
    Outcome{"chooser cancelled", {}, std::nullopt, false, false, true, 0},
    Outcome{"root shown", Root, std::nullopt, true, true, true, 0},
    Outcome{"empty path", EmptyPath, std::nullopt, true, true, true, 0}));
// clang-format on

// A folder highlighted but not opened, or a path typed, is the folder chosen: the confirmation,
// the button and the stored bookmark all name it.
TEST_F(OutputFolderTest, TheChosenFolderIsConfirmedShownAndStoredAlike) {
    const QString shown = folder(QStringLiteral("shown"));
    for (const QString& chosen : {folder(QStringLiteral("shown/highlighted")),
                                  folder(QStringLiteral("typed/elsewhere")), shown}) {
        window.desktop.answerChooser(confirmed(shown, chosen));
        window.desktop.answerAlert(AlertButton::First);
        form().outfolderB->click();

        EXPECT_EQ(window.desktop.alerts.back().alert.informativeText,
                  ExpectedTexts::outputConfirmation(chosen));
        EXPECT_EQ(outputTitle(), chosen);
        EXPECT_EQ(storedItem(Settings::OutputFolderBookmark), chosen);
        expectAllAnswersUsed();
    }
    // A chooser that names no item: the folder shown.
    window.desktop.answerChooser({ChooserResult::Confirmed, shown, QString()});
    window.desktop.answerAlert(AlertButton::First);
    form().outfolderB->click();
    EXPECT_EQ(outputTitle(), shown);
    EXPECT_EQ(storedItem(Settings::OutputFolderBookmark), shown);
}

TEST_F(OutputFolderTest, FailedBookmarkKeepsTheEarlierOne) {
    const QString earlier = folder(QStringLiteral("earlier"));
    chooseOutputFolder(earlier);
    window.desktop.answerChooser(confirmed(earlier, root.filePath(QStringLiteral("vanished"))));
    window.desktop.answerAlert(AlertButton::First);
    form().outfolderB->click();

    EXPECT_EQ(storedItem(Settings::OutputFolderBookmark), earlier);
    EXPECT_TRUE(form().startB->isEnabled());
}

} // namespace
} // namespace plenwick::test
