#include "conversionwindow.h"
#include "folderbookmarks.h"
#include "testpictures.h"

#include <QRegularExpression>

namespace plenwick::test {
namespace {

class BatchRunTest : public ConversionWindow {
protected:
    void SetUp() override {
        output = folder(QStringLiteral("out"));
        source = folder(QStringLiteral("in"));
        chooseOutputFolder(output);
        window.desktop.log.clear();
        window.desktop.beeps = 0;
        form().progressBar->reset();
        QObject::connect(form().progressBar, &QProgressBar::valueChanged, form().progressBar,
                         [this](int value) {
                             progress.push_back(value);
                             maximumSeen = form().progressBar->maximum();
                         });
    }

    void startWithSource(const FolderChoice& choice) {
        window.desktop.answerChooser(choice);
        form().startB->click();
        waitForRunEnd();
    }

    void touch(const QString& name) const { writeText(QDir(source).filePath(name)); }

    void expectClosingReset() const {
        EXPECT_EQ(outputTitle(), ExpectedTexts::SelectOutputFolderFirst);
        EXPECT_FALSE(form().startB->isEnabled());
        EXPECT_FALSE(form().dpi->isEnabled());
        EXPECT_EQ(form().progressBar->value(), 0);
        EXPECT_EQ(window.desktop.beeps, 1);
        EXPECT_EQ(window.desktop.log.last(), QStringLiteral("beep"));
    }

    QString output;
    QString source;
    std::vector<int> progress;
    int maximumSeen = -1;
};

// Absent (a first launch), not bookmark data, or a folder that is gone: the run only asks for
// an output folder, quietly, and keeps what is stored.
TEST_F(BatchRunTest, WithoutAUsableOutputFolderOnlyTheTitleChanges) {
    const QVariant stale = stored(Settings::OutputFolderBookmark);
    for (const QVariant& value : {QVariant(), QVariant(QByteArray("garbage")), stale}) {
        window.settings.store(Settings::OutputFolderBookmark, value);
        if (value == stale) {
            ASSERT_TRUE(QDir(output).removeRecursively());
        }
        form().startB->click();
        EXPECT_EQ(outputTitle(), ExpectedTexts::SelectOutputFolderFirst);
        EXPECT_EQ(window.desktop.choosers.size(), 1U) << "no source chooser";
        EXPECT_TRUE(form().startB->isEnabled());
    }
    EXPECT_EQ(stored(Settings::OutputFolderBookmark), stale);
    EXPECT_EQ(window.desktop.beeps, 0);
}

TEST_F(BatchRunTest, CancelledSourceChooserLeavesTheOutputPath) {
    startWithSource({});
    ASSERT_EQ(window.desktop.choosers.size(), 2U);
    const FolderChooser& chooser = window.desktop.choosers.back();
    EXPECT_EQ(chooser.title, ExpectedTexts::SourceChooserTitle);
    EXPECT_EQ(chooser.prompt, ExpectedTexts::SourceChooserPrompt);
    EXPECT_TRUE(chooser.canChooseDirectories);
    EXPECT_FALSE(chooser.canCreateDirectories);
    EXPECT_EQ(outputTitle(), output);
    EXPECT_TRUE(form().startB->isEnabled());
    EXPECT_EQ(window.desktop.beeps, 0);
    EXPECT_FALSE(stored(Settings::SourceFolderBookmark).isValid());
}

TEST_F(BatchRunTest, OutputFolderAsSourceIsRefusedUnderAnyOfItsPaths) {
    const QString link = root.filePath(QStringLiteral("link-to-out"));
    ASSERT_TRUE(QFile::link(output, link));
    const QString paths[] = {output, output + u'/', output + QStringLiteral("/../out"), link,
                             QStringLiteral("//") + output.mid(1)};
    for (const QString& path : paths) {
        window.desktop.alerts.clear();
        window.desktop.answerAlert(AlertButton::First);
        startWithSource(confirmed(path));

        ASSERT_EQ(window.desktop.alerts.size(), 1U) << path.toStdString();
        const Alert& refusal = window.desktop.alerts.front().alert;
        EXPECT_EQ(refusal.messageText, ExpectedTexts::OverwriteProtectionTitle);
        EXPECT_EQ(refusal.informativeText, ExpectedTexts::OverwriteProtection);
        EXPECT_EQ(refusal.buttons, QStringList{ExpectedTexts::GotIt});
        EXPECT_TRUE(refusal.titlebarAppearsTransparent);
    }
    EXPECT_TRUE(window.desktop.tools.commands().empty());
    EXPECT_FALSE(stored(Settings::SourceFolderBookmark).isValid());
    EXPECT_EQ(window.desktop.beeps, 0);
    EXPECT_TRUE(form().startB->isEnabled());
    EXPECT_TRUE(form().dpi->isEnabled());
    EXPECT_FALSE(form().coverB->isVisible());
}

// "/", an empty path and a folder that cannot be listed end in the closing reset, with the cover
// taken away so the window stays usable; only a listed folder's choice is remembered.
TEST_F(BatchRunTest, UnusableSourceResetsTheWindow) {
    const std::pair<QString, bool> sources[] = {{QStringLiteral("/"), false},
                                                {QString(), false},
                                                {root.filePath(QStringLiteral("missing")), true}};
    for (const auto& [path, remembered] : sources) {
        chooseOutputFolder(output);
        window.desktop.beeps = 0;
        startWithSource(confirmed(path, source));
        expectClosingReset();
        EXPECT_EQ(storedItem(Settings::SourceFolderBookmark).has_value(), remembered)
            << path.toStdString();
        EXPECT_FALSE(form().coverB->isVisible() || form().progressBar->isVisible());
        EXPECT_TRUE(window.desktop.openedUrls.empty());
        EXPECT_FALSE(window.controller().isConverting());
    }
}

TEST_F(BatchRunTest, EmptyFolderOpensTheOutputAndResets) {
    startWithSource(confirmed(source));

    EXPECT_TRUE(window.desktop.tools.commands().empty());
    EXPECT_EQ(maximumSeen, 0);
    ASSERT_EQ(window.desktop.openedUrls.size(), 1U);
    EXPECT_EQ(window.desktop.openedUrls.front(), QUrl::fromLocalFile(output));
    EXPECT_FALSE(form().coverB->isVisible());
    EXPECT_FALSE(form().progressBar->isVisible());
    expectClosingReset();
}

TEST_F(BatchRunTest, NonPicturesCostNothingButMoveTheProgress) {
    const QStringList names = {QStringLiteral("a.txt"),   QStringLiteral("b.jpe"),
                               QStringLiteral("c.gif"),   QStringLiteral("d"),
                               QStringLiteral(".hidden"), QStringLiteral("e.tiff~"),
                               QStringLiteral("f.jp2"),   QStringLiteral("g.pdf"),
                               QStringLiteral("h.pngx"),  QStringLiteral("i.jpg.txt")};
    for (const QString& name : names)
        touch(name);
    startWithSource(confirmed(source, QDir(source).filePath(names.front())));

    EXPECT_TRUE(window.desktop.tools.commands().empty());
    EXPECT_EQ(maximumSeen, 10);
    EXPECT_EQ(progress, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
    // Confirming a single file remembers that file.
    EXPECT_EQ(storedItem(Settings::SourceFolderBookmark), QDir(source).filePath(names.front()));
    EXPECT_EQ(window.desktop.openedUrls.size(), 1U);
    expectClosingReset();
}

TEST_F(BatchRunTest, ActionsDuringARunAreIgnored) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        touch(QString::fromLatin1(name));
    int reentries = 0;
    QObject::connect(form().progressBar, &QProgressBar::valueChanged, form().progressBar,
                     [this, &reentries] {
                         if (!window.controller().isConverting())
                             return;
                         ++reentries;
                         // The scripted desktop fails the test on any chooser not answered.
                         window.controller().doConversion(nullptr);
                         window.controller().outputFolder(nullptr);
                     });
    startWithSource(confirmed(source));

    EXPECT_GT(reentries, 0);
    EXPECT_EQ(window.desktop.choosers.size(), 2U);
    EXPECT_EQ(window.desktop.openedUrls.size(), 1U);
    expectClosingReset();
}

// The run's end reaches a user who went on with other work, and only such a user.
TEST_F(BatchRunTest, ARunEndingWhileTheWindowIsNotActiveIsNotified) {
    makePicture(QDir(source).filePath(QStringLiteral("a.png")), QStringLiteral("png"));
    makeJpegWithUnreadableExif(QDir(source).filePath(QStringLiteral("b.jpg")));
    touch(QStringLiteral("c.txt"));
    const auto notifications = [this] {
        return window.desktop.log.filter(QRegularExpression(QStringLiteral("^notify ")));
    };
    QWidget& main = window.interface->mainWindow();

    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    window.desktop.answerAlert(AlertButton::First); // the note
    startWithSource(confirmed(source));
    EXPECT_EQ(notifications(),
              QStringList{QStringLiteral("notify Plenwick finished\n"
                                         "2 pictures converted, 1 needs attention.")});

    window.desktop.log.clear();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    chooseOutputFolder(output);
    window.desktop.answerAlert(AlertButton::First);
    startWithSource(confirmed(source));
    EXPECT_TRUE(notifications().isEmpty()) << notifications().join(u'|').toStdString();
    EXPECT_TRUE(window.desktop.allAnswersUsed());
}

} // namespace
} // namespace plenwick::test
