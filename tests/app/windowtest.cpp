#include "conversionwindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>

namespace plenwick::test {
namespace {

using WindowTest = ConversionWindow;

// The window waits for a confirmed output folder, whose path is shown as it is: no '%1' filled
// in, no '&' made a keyboard shortcut. After it, the folder highlighted or typed is the one
// chosen, else the one shown; any other answer keeps the earlier folder's bookmark. What is DPI
// is there from the start.
TEST_F(WindowTest, TheOutputFolderStepConfirmsShowsAndStoresTheChosenFolder) {
    window.desktop.log.clear();
    form().whatisDPIButton->click(); // opens the article, then beeps
    EXPECT_EQ(window.desktop.log,
              (QStringList{u"open http://en.wikipedia.org/wiki/Dots_per_inch"_s, u"beep"_s}));
    EXPECT_EQ(form().outfolderB->text(), ExpectedTexts::SelectOutputFolderFirst);
    EXPECT_FALSE(form().startB->isEnabled() || form().dpi->isEnabled());
    EXPECT_FALSE(form().coverB->isVisible() || form().progressBar->isVisible());
    const QString earlier = folder(u"100% sure &Co\nsecond line %1"_s);
    chooseOutputFolder(earlier);
    ASSERT_EQ(window.desktop.choosers.size(), 1U);
    const FolderChooser& chooser = window.desktop.choosers.front();
    EXPECT_EQ(chooser.title, u"Select Destination (output) Folder"_s);
    EXPECT_EQ(chooser.prompt, u"Select This Folder"_s);
    EXPECT_TRUE(chooser.canChooseDirectories && chooser.canCreateDirectories);
    ASSERT_EQ(window.desktop.alerts.size(), 1U);
    const Alert& confirmation = window.desktop.alerts.front();
    EXPECT_EQ(confirmation.messageText, u"File Saving Folder Confirmation"_s);
    EXPECT_EQ(confirmation.informativeText, ExpectedTexts::outputConfirmation(earlier));
    EXPECT_EQ(confirmation.buttons, (QStringList{u"Ok"_s, u"Cancel"_s}));
    EXPECT_EQ(outputTitle(), earlier);
    EXPECT_TRUE(QKeySequence::mnemonic(form().outfolderB->text()).isEmpty());

    const QString shown = folder(u"shown"_s);
    const QString highlighted = folder(u"shown/highlighted"_s);
    struct Row final {
        FolderChoice choice;
        std::optional<AlertButton> confirmation;
        QString title; // none: the window asks for a folder again
        bool startEnabled, dpiEnabled;
        int beeps;
    };
    const Row rows[] = {
        {confirmed(shown, highlighted), AlertButton::First, highlighted, true, true, 0},
        {{ChooserResult::Confirmed, shown, {}}, AlertButton::First, shown, true, true, 0},
        {confirmed(shown), AlertButton::Second, {}, false, false, 1},
        {{}, std::nullopt, {}, false, true, 0},
        {confirmed(u"/"_s), std::nullopt, earlier, true, true, 0}};
    for (const auto& [choice, answer, title, startEnabled, dpiEnabled, beepCount] : rows) {
        SCOPED_TRACE(choice.chosenPath.toStdString() + " " + (answer ? "answered" : ""));
        chooseOutputFolder(earlier);
        window.desktop.log.clear();
        window.desktop.answerChooser(choice);
        if (answer)
            window.desktop.answerAlert(*answer);
        form().outfolderB->click();

        if (answer == AlertButton::First) {
            EXPECT_EQ(window.desktop.alerts.back().informativeText,
                      ExpectedTexts::outputConfirmation(title));
        }
        EXPECT_EQ(outputTitle(), title.isEmpty() ? ExpectedTexts::SelectOutputFolderFirst : title);
        EXPECT_EQ(form().startB->isEnabled(), startEnabled);
        EXPECT_EQ(form().dpi->isEnabled(), dpiEnabled);
        EXPECT_EQ(beeps(), beepCount);
        EXPECT_EQ(storedFolder(u"iDataD"_s), answer == AlertButton::First ? title : earlier);
        EXPECT_TRUE(window.desktop.allAnswersUsed());
    }
}

// At start-up unless suppressed, on demand always; the box as the user leaves it is stored, and
// synchronized: a fresh reader of the file sees it.
TEST(StartupNoticeTest, FollowsTheStoredChoice) {
    struct Row final {
        std::optional<int> stored; // none: no entry at all
        bool onDemand;
        std::optional<bool> leftTicked; // how the user leaves the box; none: not shown
        int storedAfterwards;
    };
    const Row rows[] = {{std::nullopt, false, true, 1},
                        {0, true, false, 0},
                        {1, false, std::nullopt, 1},
                        {1, true, false, 0}};
    for (const auto& [stored, onDemand, leftTicked, storedAfterwards] : rows) {
        SCOPED_TRACE(testing::Message() << stored.value_or(-1) << " on demand " << onDemand);
        LoadedInterface window(false);
        if (stored)
            window.settings.store(u"iStatement"_s, *stored);
        if (stored != 1) // the start-up showing
            window.desktop.answerAlert(AlertButton::First, onDemand ? false : leftTicked);
        window.load();
        if (onDemand) {
            window.desktop.alerts.clear();
            window.desktop.answerAlert(AlertButton::First, leftTicked);
            window.form().tipButton->click();
        }

        ASSERT_TRUE(window.desktop.allAnswersUsed());
        ASSERT_EQ(window.desktop.alerts.size(), leftTicked ? 1U : 0U);
        if (leftTicked) {
            const Alert& alert = window.desktop.alerts.front();
            EXPECT_EQ(alert.messageText, u"Startup Q&A"_s);
            EXPECT_EQ(alert.informativeText, ExpectedTexts::StartupNotice);
            EXPECT_EQ(alert.buttons, QStringList{u"Got it"_s});
            EXPECT_TRUE(alert.showsSuppressionButton);
            EXPECT_EQ(alert.suppressionChecked, stored == 1) << "as shown";
        }
        EXPECT_EQ(window.settings.onDisk(u"iStatement"_s).toInt(), storedAfterwards);
    }
}

// Every edit is clamped at once, pasted whole or typed key by key, so that what stands in the
// field is always a valid DPI. The emptied field shows 1, selected: typing replaces it.
TEST_F(WindowTest, TheDpiFieldClampsEveryEditToOneTo4000) {
    QLineEdit& field = *form().dpi;
    field.setEnabled(true);
    field.setFocus();
    const auto replaceBy = [&field](const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    };
    // The text, what the field shows, and whether it is typed.
    const std::tuple<QString, QString, bool> entries[] = {
        {u"abc"_s, u"1"_s, false},
        {u"\t+7 px"_s, u"7"_s, false},
        {u"\u0663\u0662"_s, u"1"_s, false},
        // beyond 64 bits: the reading must saturate, not wrap
        {u"18446744073709551617"_s, u"4000"_s, false},
        {u"-9223372036854775809"_s, u"1"_s, false},
        {u"-5"_s, u"5"_s, true}, // "-" alone reads as 0: the 1 put there is replaced
        {u"4001"_s, u"4000"_s, true},
        {u"12abc"_s, u"12"_s, true}};
    for (const auto& [text, shown, typed] : entries) {
        SCOPED_TRACE(text.toStdString() + (typed ? " typed" : " pasted"));
        replaceBy(u"300"_s);
        if (typed) {
            QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(&field, Qt::Key_Backspace);
            EXPECT_EQ(field.text(), u"1"_s) << "an emptied field";
            QTest::keyClicks(&field, text);
        } else {
            replaceBy(text);
        }
        EXPECT_EQ(field.text(), shown);
    }
}

} // namespace
} // namespace plenwick::test
