#pragma once

#include "bookmark.h"
#include "expectedtexts.h"
#include "loadedinterface.h"
#include "plenwickapp.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace plenwick::test {

using namespace Qt::StringLiterals;

// The loaded window with real temporary folders to choose from.
class ConversionWindow : public testing::Test {
protected:
    ConversionWindow() { window.load(); }

    [[nodiscard]] QString folder(const QString& name) const {
        const QString path = QDir(root.path()).filePath(name);
        QDir().mkpath(path);
        return QDir(path).canonicalPath();
    }

    static FolderChoice confirmed(const QString& shown, const QString& chosen = QString()) {
        return {ChooserResult::Confirmed, shown, chosen.isEmpty() ? shown : chosen};
    }

    // Chooses and confirms the output folder through the window's button.
    void chooseOutputFolder(const QString& path) {
        window.desktop.answerChooser(confirmed(path));
        window.desktop.answerAlert(AlertButton::First);
        form().outfolderB->click();
    }

    // The run goes on off the window's thread after the start action returns; this handles the
    // window's events until the run has ended.
    void waitForRunEnd() const {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window.controller().isConverting(); }, 120000))
            << "the run did not end";
    }

    [[nodiscard]] Ui::MainWindow& form() const { return window.form(); }
    // The output button's title as the eye reads it: Qt shows "&&" as "&".
    [[nodiscard]] QString outputTitle() const {
        return form().outfolderB->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
    }
    // The folder a bookmark in the settings file names, by its stored name.
    [[nodiscard]] std::optional<QString> storedFolder(const QString& name) const {
        return resolveBookmarkData(window.settings.onDisk(name).toByteArray());
    }
    [[nodiscard]] qsizetype beeps() const { return window.desktop.logged(u"beep").size(); }
    // A run's end: the output folder opened, then the window asks for one again, with a beep.
    void expectOpenedAndReset(const QString& output) const {
        EXPECT_EQ(
            window.desktop.logged(u"open"),
            QStringList{u"open "_s + QUrl::fromLocalFile(output).toString(QUrl::FullyEncoded)});
        EXPECT_EQ(outputTitle(), ExpectedTexts::SelectOutputFolderFirst);
        EXPECT_FALSE(form().startB->isEnabled() || form().dpi->isEnabled());
        EXPECT_FALSE(form().coverB->isVisible() || form().progressBar->isVisible());
        EXPECT_EQ(form().progressBar->value(), 0);
        EXPECT_EQ(beeps(), 1);
        EXPECT_EQ(window.desktop.log.last(), u"beep"_s);
    }

    QTemporaryDir root;
    LoadedInterface window;
};

} // namespace plenwick::test
