#include "harrowfenlinks.h"
#include "loadedinterface.h"
#include "plenwickapp.h"
#include "translations.h"
#include "windowtexts.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

// The user's language for as long as this lives, with the program's real translations loaded as
// main() loads them; English again afterwards.
class UserLanguage final {
public:
    explicit UserLanguage(const QLocale& language) {
        QLocale::setDefault(language);
        translations = std::make_unique<Translations>();
    }
    UserLanguage(const UserLanguage&) = delete;
    UserLanguage& operator=(const UserLanguage&) = delete;
    ~UserLanguage() {
        translations.reset();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

private:
    std::unique_ptr<Translations> translations;
};

const QLocale German(QLocale::German, QLocale::Germany);

TEST(TranslationTest, TheWindowSpeaksGerman) {
    const UserLanguage language(German);
    LoadedInterface window;
    window.load();
    const Ui::MainWindow& form = window.form();
    EXPECT_EQ(form.outfolderB->text(), u"Zuerst Zielordner (Ausgabe) wählen"_s);
    EXPECT_EQ(form.startB->text(), u"&Starten: Quellordner wählen"_s);
    EXPECT_EQ(form.dpiLabel->text(), u"Auf&lösung (DPI, 1 bis 4000):"_s);
    EXPECT_EQ(form.actionQuit->text(), u"&Beenden"_s);
    EXPECT_EQ(form.dpi->text(), u"300"_s) << "a value, not a text";
}

// The path is the user's, inserted as it is into the German sentence.
TEST(TranslationTest, TheAlertsSpeakGermanAndShowThePathAsItIs) {
    const UserLanguage language(German);
    const QTemporaryDir root;
    const QString output = QDir(root.path()).filePath(u"100% sicher &Co %1"_s);
    ASSERT_TRUE(QDir().mkpath(output));
    LoadedInterface window(false);
    window.desktop.answerAlert(AlertButton::First); // the startup notice
    window.load();
    window.desktop.answerChooser({ChooserResult::Confirmed, output, output});
    window.desktop.answerAlert(AlertButton::First);
    window.form().outfolderB->click();

    ASSERT_TRUE(window.desktop.allAnswersUsed());
    ASSERT_EQ(window.desktop.alerts.size(), 2U);
    const Alert& notice = window.desktop.alerts[0].alert;
    EXPECT_EQ(notice.messageText, u"Häufige Fragen zum Start"_s);
    EXPECT_TRUE(notice.informativeText.startsWith(u"F: Wenn Plenwick mit der Konvertierung"_s));
    EXPECT_EQ(notice.buttons, QStringList{u"Verstanden"_s});

    ASSERT_EQ(window.desktop.choosers.size(), 1U);
    EXPECT_EQ(window.desktop.choosers.front().title, u"Zielordner (Ausgabe) wählen"_s);
    const Alert& confirmation = window.desktop.alerts[1].alert;
    EXPECT_EQ(confirmation.messageText, u"Bestätigung des Speicherordners"_s);
    EXPECT_TRUE(confirmation.informativeText.startsWith(
        u"Alle Bilder mit geänderter DPI werden in diesen AUSGABE-Ordner kopiert und dort "
        u"gespeichert:\n\n"_s +
        output + u"\n\nBitte prüfen Sie"_s))
        << confirmation.informativeText.toStdString();
    EXPECT_EQ(confirmation.buttons, (QStringList{u"OK"_s, u"Abbrechen"_s}));
}

TEST(TranslationTest, QtsOwnButtonsSpeakGerman) {
    const UserLanguage language(German);
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove(u'&'), u"Abbrechen"_s);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Yes)->text().remove(u'&'), u"Ja"_s);
}

// Each language's own plural rules: French counts nought in the singular, Japanese has one form.
TEST(TranslationTest, CountsTakeEachLanguagesPluralForms) {
    {
        const UserLanguage language(German);
        EXPECT_EQ(WindowTexts::runEnded(1, 5),
                  u"1 Bild konvertiert, 5 erfordern Aufmerksamkeit."_s);
        EXPECT_EQ(WindowTexts::runEnded(7, 0), u"7 Bilder konvertiert."_s);
    }
    {
        const UserLanguage language(QLocale(QLocale::French, QLocale::France));
        EXPECT_EQ(WindowTexts::runEnded(0, 0), u"0 image convertie."_s);
        EXPECT_EQ(WindowTexts::runEnded(3, 2),
                  u"3 images converties, 2 demandent votre attention."_s);
    }
    {
        const UserLanguage language(QLocale(QLocale::Japanese, QLocale::Japan));
        EXPECT_EQ(WindowTexts::runEnded(2, 1), u"2 枚の画像を変換、1 枚は要確認。"_s);
    }
    EXPECT_EQ(WindowTexts::runEnded(0, 2), u"0 pictures converted, 2 need attention."_s);
}

// A language the program does not speak leaves it in English, Qt's buttons included, rather
// than half translated.
TEST(TranslationTest, AnUnspokenLanguageKeepsEnglish) {
    ASSERT_TRUE(QDir(Translations::folder()).exists(u"plenwick_de.qm"_s)) << "built beside";
    const UserLanguage language(QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(WindowTexts::ok(), u"Ok"_s);
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove(u'&'), u"Cancel"_s);
}

// The links carry the support desk's fixed words, whatever language the user reads.
TEST(TranslationTest, EmailLinksStayByteExactInEveryLanguage) {
    const QString system = u"Tüx OS 3 (a+b&c=d/e) été"_s;
    const QString support = emailLink(EmailKind::SupportRequest, u"2.1.5", system);
    const QString feature = emailLink(EmailKind::FeatureRequest, u"2.1.5", system);
    EXPECT_TRUE(support.contains(u"?SUBJECT=Plenwick%202.1.5%20-%20support%20request&BODY=Hi%20"
                                 u"Harrowfen,%0A"_s));
    for (const QLocale::Language spoken :
         {QLocale::German, QLocale::French, QLocale::Spanish, QLocale::Japanese}) {
        const UserLanguage language{QLocale(spoken)};
        ASSERT_NE(WindowTexts::cancel(), u"Cancel"_s) << "translated";
        EXPECT_EQ(emailLink(EmailKind::SupportRequest, u"2.1.5", system), support);
        EXPECT_EQ(emailLink(EmailKind::FeatureRequest, u"2.1.5", system), feature);
    }
}

} // namespace
} // namespace plenwick::test
