#include "harrowfenlinks.h"
#include "loadedinterface.h"
#include "translations.h"
#include "windowtexts.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

const QLocale German(QLocale::German, QLocale::Germany);

// Each test sets the user's language and loads the real catalogues as main() does; English again
// afterwards.
class TranslationTest : public testing::Test {
protected:
    void TearDown() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
};

// The path is the user's, inserted as it is into the German sentence.
TEST_F(TranslationTest, TheWindowAndItsAlertsSpeakGermanAndShowThePathAsItIs) {
    QLocale::setDefault(German);
    const Translations loaded;
    const QTemporaryDir root;
    const QString output = QDir(root.path()).filePath(u"100% sicher &Co %1"_s);
    ASSERT_TRUE(QDir().mkpath(output));
    LoadedInterface window;
    window.load();
    EXPECT_EQ(window.form().startB->text(), u"&Starten: Quellordner wählen"_s);
    window.desktop.answerChooser({ChooserResult::Confirmed, output, output});
    window.desktop.answerAlert(AlertButton::First);
    window.form().outfolderB->click();

    ASSERT_TRUE(window.desktop.allAnswersUsed());
    const Alert& confirmation = window.desktop.alerts.front();
    EXPECT_TRUE(confirmation.informativeText.startsWith(
        u"Alle Bilder mit geänderter DPI werden in diesen AUSGABE-Ordner kopiert und dort "
        u"gespeichert:\n\n"_s +
        output + u"\n\nBitte prüfen Sie"_s))
        << confirmation.informativeText.toStdString();
    EXPECT_EQ(confirmation.buttons, (QStringList{u"OK"_s, u"Abbrechen"_s}));
}

// Each language's own plural rules (French counts nought in the singular, Japanese has one form)
// and Qt's own buttons; a language the program does not speak keeps English, Qt's buttons
// included, rather than half translated.
TEST_F(TranslationTest, CountsAndQtsButtonsFollowEachLanguage) {
    const std::tuple<QLocale, int, int, QString, QString> rows[] = {
        {German, 1, 5, u"1 Bild konvertiert, 5 erfordern Aufmerksamkeit."_s, u"Abbrechen"_s},
        {German, 7, 0, u"7 Bilder konvertiert."_s, u"Abbrechen"_s},
        {QLocale(QLocale::French), 0, 0, u"0 image convertie."_s, u"Annuler"_s},
        {QLocale(QLocale::French), 3, 2, u"3 images converties, 2 demandent votre attention."_s,
         u"Annuler"_s},
        {QLocale(QLocale::Japanese), 2, 1, u"2 枚の画像を変換、1 枚は要確認。"_s, u"キャンセル"_s},
        {QLocale(QLocale::Italian), 0, 2, u"0 pictures converted, 2 need attention."_s,
         u"Cancel"_s}};
    for (const auto& [language, converted, failed, ended, cancel] : rows) {
        SCOPED_TRACE(language.name().toStdString());
        QLocale::setDefault(language);
        const Translations loaded;
        EXPECT_EQ(WindowTexts::runEnded(converted, failed), ended);
        const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove(u'&'), cancel);
    }
}

// The links carry the support desk's fixed words, whatever language the user reads.
TEST_F(TranslationTest, EmailLinksStayByteExactInEveryLanguage) {
    const auto links = [] {
        return QStringList{emailLink(EmailKind::SupportRequest, u"2.1", u"Tüx"),
                           emailLink(EmailKind::FeatureRequest, u"2.1", u"Tüx")};
    };
    const QStringList english = links();
    QLocale::setDefault(German);
    const Translations loaded;
    EXPECT_EQ(links(), english);
}

} // namespace
} // namespace plenwick::test
