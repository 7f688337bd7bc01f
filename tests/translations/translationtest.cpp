#include "loadedinterface.h"
#include "translations.h"
#include "windowtexts.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

const QLocale German(QLocale::German, QLocale::Germany);

// Each test sets the language it needs and loads the real catalogues as main() does.

// The path is the user's, inserted as it is into the German sentence.
TEST(TranslationTest, TheWindowAndItsAlertsSpeakGermanAndShowThePathAsItIs) {
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
TEST(TranslationTest, CountsAndQtsButtonsFollowEachLanguage) {
    const std::tuple<QLocale, int, int, QString, QString> rows[] = {
        {German, 1, 5, u"1 Bild konvertiert, 5 erfordern Aufmerksamkeit."_s, u"Abbrechen"_s},
        {QLocale(QLocale::French), 0, 0, u"0 image convertie."_s, u"Annuler"_s},
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

// A program neither installed nor in a build tree loads no catalogue, not even one lying in the
// folder it runs in and beside it.
TEST(TranslationFolderTest, NoCatalogueComesFromTheWorkingFolder) {
    const QTemporaryDir root;
    const QString program = root.filePath(u"plenwick"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(PLENWICK_EXECUTABLE), program));
    ASSERT_TRUE(QFile::copy(Translations::folder() + u"/plenwick_de.qm"_s,
                            root.filePath(u"plenwick_de.qm"_s)));
    QProcess copy;
    copy.setWorkingDirectory(root.path());
    // The first of a name counts.
    copy.setEnvironment(QStringList{u"LANGUAGE=de"_s, u"LC_ALL=de_DE.UTF-8"_s} +
                        QProcess::systemEnvironment());
    copy.start(program, {u"--output"_s, root.path(), root.path()});
    ASSERT_TRUE(copy.waitForFinished(60000));
    EXPECT_EQ(copy.readAllStandardError(), "plenwick: --dpi is missing\nTry 'plenwick --help'.\n");
}

} // namespace
} // namespace plenwick::test
