#include "buttonstate.h"
#include "conversionwindow.h"
#include "folderbookmarks.h"

#include <QKeySequence>

namespace plenwick::test {
namespace {

const QString WaitingTitle = QString::fromUtf16(SelectOutputFolderFirst);

class OutputFolderTest : public ConversionWindow {
protected:
    void expectEndedWithButtonPressed() {
        EXPECT_EQ(buttonState(*form().startB), ButtonState::On);
        EXPECT_EQ(buttonState(*form().outfolderB), ButtonState::On);
        EXPECT_EQ(window.desktop.log.last(), QStringLiteral("pump"));
        EXPECT_TRUE(window.desktop.allAnswersUsed());
    }
};

TEST_F(OutputFolderTest, ConfirmedFolderMakesTheWindowReadyAndIsRemembered) {
    const QString output = folder(QStringLiteral("out"));
    chooseOutputFolder(output);

    ASSERT_EQ(window.desktop.choosers.size(), 1U);
    const FolderChooser& chooser = window.desktop.choosers.front();
    EXPECT_EQ(chooser.title, QStringLiteral("Select Destination (output) Folder"));
    EXPECT_EQ(chooser.prompt, QStringLiteral("Select This Folder"));
    EXPECT_TRUE(chooser.canChooseDirectories);
    EXPECT_TRUE(chooser.canCreateDirectories);

    ASSERT_EQ(window.desktop.alerts.size(), 1U);
    const Alert& confirmation = window.desktop.alerts.front().alert;
    EXPECT_EQ(confirmation.messageText, QStringLiteral("File Saving Folder Confirmation"));
    EXPECT_EQ(confirmation.informativeText,
              QStringLiteral("All DPI changed pictures will be copied and saved to this OUTPUT "
                             "folder:\n\n") +
                  output +
                  QStringLiteral("\n\nPlease double check the folder is which you selected, "
                                 "depending on the browsing mode you are using, sometimes you "
                                 "have to double clicking the folder and make it displaying in "
                                 "blue.\n"));
    EXPECT_EQ(confirmation.buttons, (QStringList{QStringLiteral("Ok"), QStringLiteral("Cancel")}));
    EXPECT_TRUE(confirmation.titlebarAppearsTransparent);

    EXPECT_EQ(outputTitle(), output);
    EXPECT_TRUE(form().dpi->isEnabled());
    EXPECT_TRUE(form().startB->isEnabled());
    EXPECT_EQ(storedItem(OutputFolderKey), output); // synchronized: a fresh reader sees it
    EXPECT_EQ(window.desktop.beeps, 0);
    expectEndedWithButtonPressed();
}

TEST_F(OutputFolderTest, CancellingTheConfirmationBeepsAndGoesBackToWaiting) {
    const QString earlier = folder(QStringLiteral("earlier"));
    chooseOutputFolder(earlier);
    window.desktop.answerChooser(confirmed(folder(QStringLiteral("other"))));
    window.desktop.answerAlert(AlertSecondButtonReturn);
    form().outfolderB->click();

    EXPECT_EQ(window.desktop.beeps, 1);
    EXPECT_EQ(outputTitle(), WaitingTitle);
    EXPECT_FALSE(form().startB->isEnabled());
    EXPECT_FALSE(form().dpi->isEnabled());
    EXPECT_EQ(storedItem(OutputFolderKey), earlier);
    expectEndedWithButtonPressed();
}

TEST_F(OutputFolderTest, CancellingTheChooserKeepsTheDpiFieldAndTheBookmark) {
    const QString earlier = folder(QStringLiteral("earlier"));
    chooseOutputFolder(earlier);
    window.desktop.answerChooser({});
    form().outfolderB->click();

    EXPECT_EQ(window.desktop.beeps, 0);
    EXPECT_EQ(window.desktop.alerts.size(), 1U); // only the first confirmation
    EXPECT_EQ(outputTitle(), WaitingTitle);
    EXPECT_FALSE(form().startB->isEnabled());
    EXPECT_TRUE(form().dpi->isEnabled());
    EXPECT_EQ(storedItem(OutputFolderKey), earlier);
    expectEndedWithButtonPressed();
}

TEST_F(OutputFolderTest, RootOrEmptyFolderIsRefusedSilently) {
    const QString earlier = folder(QStringLiteral("earlier"));
    chooseOutputFolder(earlier);
    for (const QString& path : {QStringLiteral("/"), QString()}) {
        window.desktop.answerChooser(confirmed(path, folder(QStringLiteral("highlighted"))));
        form().outfolderB->click();

        EXPECT_EQ(window.desktop.alerts.size(), 1U);
        EXPECT_EQ(window.desktop.beeps, 0);
        EXPECT_EQ(outputTitle(), earlier);
        EXPECT_TRUE(form().startB->isEnabled());
        EXPECT_TRUE(form().dpi->isEnabled());
        EXPECT_EQ(storedItem(OutputFolderKey), earlier);
        expectEndedWithButtonPressed();
    }
}

TEST_F(OutputFolderTest, HighlightedSubfolderIsShownAsItsParentButRemembered) {
    const QString shown = folder(QStringLiteral("shown"));
    const QString highlighted = folder(QStringLiteral("shown/highlighted"));
    window.desktop.answerChooser(confirmed(shown, highlighted));
    window.desktop.answerAlert(AlertFirstButtonReturn);
    form().outfolderB->click();

    EXPECT_EQ(outputTitle(), shown);
    EXPECT_TRUE(window.desktop.alerts.front().alert.informativeText.contains(shown + u'\n'));
    EXPECT_EQ(storedItem(OutputFolderKey), highlighted);
}

TEST_F(OutputFolderTest, PathsAreShownAsTheyAre) {
    const QString odd = folder(QStringLiteral("100% sure &Co\nsecond line %1"));
    chooseOutputFolder(odd);

    EXPECT_TRUE(window.desktop.alerts.front().alert.informativeText.contains(
        QStringLiteral(":\n\n") + odd + QStringLiteral("\n\n")));
    EXPECT_EQ(outputTitle(), odd);
    // No '&' of the path turns into a keyboard shortcut of the button.
    EXPECT_TRUE(QKeySequence::mnemonic(form().outfolderB->text()).isEmpty());
}

TEST_F(OutputFolderTest, FailedBookmarkKeepsTheEarlierOne) {
    const QString earlier = folder(QStringLiteral("earlier"));
    chooseOutputFolder(earlier);
    const QString vanished = root.filePath(QStringLiteral("vanished"));
    window.desktop.answerChooser(confirmed(earlier, vanished));
    window.desktop.answerAlert(AlertFirstButtonReturn);
    form().outfolderB->click();

    EXPECT_EQ(storedItem(OutputFolderKey), earlier);
    EXPECT_TRUE(form().startB->isEnabled());
}

} // namespace
} // namespace plenwick::test
