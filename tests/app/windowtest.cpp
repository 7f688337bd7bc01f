#include "conversionwindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;
using WindowTest = ConversionWindow;

TEST_F(WindowTest, WaitsForAnOutputFolderAndWhatIsDpiOpensTheArticleThenBeeps) {
    EXPECT_TRUE(window.interface->mainWindow().isVisible());
    EXPECT_EQ(form().outfolderB->text(), ExpectedTexts::SelectOutputFolderFirst);
    EXPECT_FALSE(form().startB->isEnabled() || form().dpi->isEnabled());
    EXPECT_FALSE(form().coverB->isVisible() || form().progressBar->isVisible());
    window.desktop.log.clear();
    form().whatisDPIButton->click();
    EXPECT_EQ(window.desktop.log,
              (QStringList{u"open http://en.wikipedia.org/wiki/Dots_per_inch"_s, u"beep"_s}));
}

// The path is shown as it is: no '%1' filled in, no '&' made a keyboard shortcut.
TEST_F(WindowTest, AConfirmedOutputFolderMakesTheWindowReadyAndIsRemembered) {
    const QString output = folder(u"100% sure &Co\nsecond line %1"_s);
    chooseOutputFolder(output);

    ASSERT_EQ(window.desktop.choosers.size(), 1U);
    const FolderChooser& chooser = window.desktop.choosers.front();
    EXPECT_EQ(chooser.title, ExpectedTexts::OutputChooserTitle);
    EXPECT_EQ(chooser.prompt, ExpectedTexts::OutputChooserPrompt);
    EXPECT_TRUE(chooser.canChooseDirectories && chooser.canCreateDirectories);
    ASSERT_EQ(window.desktop.alerts.size(), 1U);
    const Alert& confirmation = window.desktop.alerts.front().alert;
    EXPECT_EQ(confirmation.messageText, ExpectedTexts::OutputConfirmationTitle);
    EXPECT_EQ(confirmation.informativeText, ExpectedTexts::outputConfirmation(output));
    EXPECT_EQ(confirmation.buttons, (QStringList{u"Ok"_s, u"Cancel"_s}));
    EXPECT_TRUE(confirmation.titlebarAppearsTransparent);

    EXPECT_EQ(outputTitle(), output);
    EXPECT_TRUE(QKeySequence::mnemonic(form().outfolderB->text()).isEmpty());
    EXPECT_TRUE(form().dpi->isEnabled() && form().startB->isEnabled());
    EXPECT_EQ(storedFolder(u"iDataD"_s), output);
    EXPECT_EQ(beeps(), 0);
}

// After an earlier confirmed folder: the folder highlighted or typed is the one chosen, else the
// one shown; any other answer keeps the earlier folder's bookmark.
TEST_F(WindowTest, EachAnswerOfTheOutputFolderStepShowsItsState) {
    const QString earlier = folder(u"earlier"_s);
    const QString shown = folder(u"shown"_s);
    const QString highlighted = folder(u"shown/highlighted"_s);
    const QString gone = root.filePath(u"gone"_s);
    struct Row final {
        const char* what;
        FolderChoice choice;
        std::optional<AlertButton> confirmation;
        QString title; // none: the window asks for a folder again
        bool startEnabled, dpiEnabled;
        int beeps;
        QString stored;
    };
    const Row rows[] = {
        {"highlighted", confirmed(shown, highlighted), AlertButton::First, highlighted, true, true,
         0, highlighted},
        {"no item named", {ChooserResult::Confirmed, shown, {}}, AlertButton::First, shown, true,
         true, 0, shown},
        {"gone before it was stored", confirmed(shown, gone), AlertButton::First, gone, true, true,
         0, earlier},
        {"confirmation cancelled", confirmed(shown), AlertButton::Second, {}, false, false, 1,
         earlier},
        {"chooser cancelled", {}, std::nullopt, {}, false, true, 0, earlier},
        {"root", confirmed(u"/"_s), std::nullopt, earlier, true, true, 0, earlier},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        chooseOutputFolder(earlier);
        window.desktop.log.clear();
        window.desktop.answerChooser(row.choice);
        if (row.confirmation)
            window.desktop.answerAlert(*row.confirmation);
        form().outfolderB->click();

        if (row.confirmation == AlertButton::First) {
            EXPECT_EQ(window.desktop.alerts.back().alert.informativeText,
                      ExpectedTexts::outputConfirmation(row.title));
        }
        EXPECT_EQ(outputTitle(), row.title.isEmpty() ? ExpectedTexts::SelectOutputFolderFirst
                                                     : row.title);
        EXPECT_EQ(form().startB->isEnabled(), row.startEnabled);
        EXPECT_EQ(form().dpi->isEnabled(), row.dpiEnabled);
        EXPECT_EQ(beeps(), row.beeps);
        EXPECT_EQ(storedFolder(u"iDataD"_s), row.stored);
        EXPECT_TRUE(window.desktop.allAnswersUsed());
    }
}

// At start-up unless suppressed, on demand always; the box as the user leaves it is stored.
TEST(StartupNoticeTest, FollowsTheStoredChoice) {
    struct Row final {
        std::optional<int> stored; // none: no entry at all
        bool onDemand, shown, shownTicked;
        std::optional<bool> leftTicked; // how the user leaves the box, when shown
        int storedAfterwards;
    };
    const Row rows[] = {
        // First start: shown unticked; left unticked it stays on for the next start.
        {std::nullopt, false, true, false, false, 0},
        {std::nullopt, false, true, false, true, 1},
        {0, true, true, false, true, 1},
        // Suppressed: start-up shows nothing and writes 1 again; on demand shows it ticked.
        {1, false, false, true, std::nullopt, 1},
        {1, true, true, true, false, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "stored " << row.stored.value_or(-1) << " on demand "
                                        << row.onDemand);
        LoadedInterface window(false);
        if (row.stored)
            window.settings.store(u"iStatement"_s, *row.stored);
        if (row.stored != 1) // the start-up showing
            window.desktop.answerAlert({.suppressionChecked = row.onDemand ? false : row.leftTicked});
        window.load();
        if (row.onDemand) {
            window.desktop.alerts.clear();
            window.desktop.answerAlert({.suppressionChecked = row.leftTicked});
            window.form().tipButton->click();
        }

        ASSERT_TRUE(window.desktop.allAnswersUsed());
        ASSERT_EQ(window.desktop.alerts.size(), row.shown ? 1U : 0U);
        if (row.shown) {
            const auto& [alert, shownTicked] = window.desktop.alerts.front();
            EXPECT_EQ(alert.messageText, ExpectedTexts::StartupNoticeTitle);
            EXPECT_EQ(alert.informativeText, ExpectedTexts::StartupNotice);
            EXPECT_EQ(alert.buttons, QStringList{u"Got it"_s});
            EXPECT_TRUE(alert.showsSuppressionButton);
            EXPECT_EQ(shownTicked, row.shownTicked);
        }
        // Written and synchronized on every call: a fresh reader of the file sees it.
        EXPECT_EQ(window.settings.onDisk(u"iStatement"_s).toInt(), row.storedAfterwards);
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
    struct Entry final {
        QString text, shown;
        bool typed = false;
    };
    const Entry entries[] = {
        {u"0"_s, u"1"_s}, {u"-5"_s, u"1"_s}, {u"abc"_s, u"1"_s}, {u"12abc"_s, u"12"_s},
        {u"007"_s, u"7"_s}, {u"  300"_s, u"300"_s}, {u"\t+7 px"_s, u"7"_s},
        {u"4000"_s, u"4000"_s}, {u"4001"_s, u"4000"_s}, {u"\u0663\u0662"_s, u"1"_s},
        // beyond 64 bits: the reading must saturate, not wrap
        {u"18446744073709551617"_s, u"4000"_s}, {u"-9223372036854775809"_s, u"1"_s},
        {u"-5"_s, u"5"_s, true}, // "-" alone reads as 0: the 1 put there is replaced
        {u"4001"_s, u"4000"_s, true}, {u"12abc"_s, u"12"_s, true}};
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
