#include "conversionwindow.h"
#include "runcontroller.h"
#include "testpictures.h"

#include <QDropEvent>
#include <QMimeData>

namespace plenwick::test {
namespace {

// The start action and a folder dropped on the window, up to and around a run.
class BatchRunTest : public ConversionWindow {
protected:
    void start(const FolderChoice& source) {
        window.desktop.answerChooser(source);
        form().startB->click();
        waitForRunEnd();
    }

    // Drops the addresses on the window through Qt's own drag-enter and drop events.
    void drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QWidget& target = window.interface->mainWindow();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &dropped);
        QTest::qWait(0); // the queued start
        waitForRunEnd();
    }

    const QString output = folder(u"out"_s);
    const QString source = folder(u"in"_s);
};

// A stored folder that is gone: the run only asks for an output folder, quietly.
TEST_F(BatchRunTest, WithoutAUsableOutputFolderOnlyTheTitleChanges) {
    chooseOutputFolder(output);
    ASSERT_TRUE(QDir(output).removeRecursively());
    form().startB->click();
    EXPECT_EQ(outputTitle(), ExpectedTexts::SelectOutputFolderFirst);
    EXPECT_EQ(window.desktop.choosers.size(), 1U) << "no source chooser";
    EXPECT_TRUE(form().startB->isEnabled());
    EXPECT_TRUE(window.settings.onDisk(u"iDataD"_s).isValid()) << "kept";
    EXPECT_EQ(beeps(), 0);
}

// The source chooser's answers that start no run: the window stays ready, or for "/" and a
// folder that cannot be listed, ends in the closing reset with the cover taken away. Only a listed
// folder's choice is remembered.
TEST_F(BatchRunTest, AnAnswerOfTheSourceChooserThatStartsNoRun) {
    const QString link = root.filePath(u"link-to-out"_s);
    ASSERT_TRUE(QFile::link(output, link));
    const std::tuple<FolderChoice, bool, bool, bool> rows[] = {
        {{}, false, false, false},
        {confirmed(link), true, false, false}, // the output folder under another path
        {confirmed(u"/"_s, source), false, true, false},
        {confirmed(root.filePath(u"missing"_s), source), false, true, true}};
    for (const auto& [choice, refused, reset, remembered] : rows) {
        SCOPED_TRACE(choice.directoryPath.toStdString());
        chooseOutputFolder(output);
        window.desktop.log.clear();
        if (refused)
            window.desktop.answerAlert(AlertButton::First);
        start(choice);

        const FolderChooser& chooser = window.desktop.choosers.back();
        EXPECT_EQ(chooser.title, u"Select Source Files Folder"_s);
        EXPECT_EQ(chooser.prompt, u"Select this picture folder"_s);
        EXPECT_TRUE(chooser.canChooseDirectories && !chooser.canCreateDirectories);
        EXPECT_EQ(window.desktop.logged(u"alert"),
                  refused ? QStringList{u"alert Overwrite protection Alert"_s} : QStringList());
        EXPECT_EQ(outputTitle(), reset ? ExpectedTexts::SelectOutputFolderFirst : output);
        EXPECT_EQ(form().startB->isEnabled(), !reset);
        EXPECT_EQ(beeps(), reset ? 1 : 0);
        EXPECT_FALSE(form().coverB->isVisible() || form().progressBar->isVisible());
        EXPECT_TRUE(window.desktop.logged(u"open").isEmpty());
        EXPECT_EQ(storedFolder(u"iDataS"_s).has_value(), remembered);
    }
    EXPECT_TRUE(window.desktop.tools.commands().empty());
}

// Confirming a single file remembers that file and converts its whole folder; actions handled
// during the run's event passes are ignored.
TEST_F(BatchRunTest, NonPicturesCostNothingButMoveTheProgress) {
    const QStringList names = {u"a.txt"_s, u"b.gif"_s, u".hidden"_s, u"d"_s};
    for (const QString& name : names)
        writeText(QDir(source).filePath(name));
    std::vector<int> progress;
    QObject::connect(form().progressBar, &QProgressBar::valueChanged, form().progressBar,
                     [&](int value) {
                         progress.push_back(value);
                         EXPECT_EQ(form().progressBar->maximum(), 4);
                         // The scripted desktop fails the test on any chooser not answered.
                         window.controller().doConversion(nullptr);
                         window.controller().outputFolder(nullptr);
                     });
    chooseOutputFolder(output);
    window.desktop.log.clear();
    start(confirmed(source, QDir(source).filePath(names.front())));

    EXPECT_TRUE(window.desktop.tools.commands().empty());
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(window.desktop.choosers.size(), 2U);
    EXPECT_EQ(storedFolder(u"iDataS"_s), QDir(source).filePath(names.front()));
    expectOpenedAndReset(output);
}

// Before an output folder is chosen a drop only explains; then a folder dropped is the source,
// and what cannot be one is refused with the reason.
TEST_F(BatchRunTest, AFolderDroppedStartsTheRunAndAnythingElseIsRefusedWithTheReason) {
    window.desktop.answerAlert(AlertButton::First);
    drop({QUrl::fromLocalFile(source)});
    ASSERT_EQ(window.desktop.alerts.size(), 1U);
    EXPECT_EQ(
        window.desktop.alerts.back().informativeText,
        u"Choose the output folder first, then drop the folder that holds your pictures.\n"_s);

    chooseOutputFolder(output);
    const QString file = QDir(source).filePath(u"notes.txt"_s);
    writeText(file);
    const std::pair<QList<QUrl>, QString> refused[] = {
        {{QUrl::fromLocalFile(output)},
         u"Input folder can not be the same of your Output folder.\n"_s},
        {{QUrl::fromLocalFile(file)}, ExpectedTexts::dropNotAFolder(file)},
        {{QUrl(u"https://example.org/photos/"_s)},
         ExpectedTexts::dropNotAFolder(u"https://example.org/photos/"_s)},
        {{QUrl::fromLocalFile(source), QUrl::fromLocalFile(output)},
         u"Drop one folder at a time: the folder that holds your pictures.\n"_s}};
    for (const auto& [urls, reason] : refused) {
        window.desktop.alerts.clear();
        window.desktop.answerAlert(AlertButton::First);
        drop(urls);
        ASSERT_EQ(window.desktop.alerts.size(), 1U) << reason.toStdString();
        EXPECT_EQ(window.desktop.alerts.back().informativeText, reason);
    }
    EXPECT_EQ(window.desktop.alerts.back().messageText, u"This cannot be converted"_s);
    EXPECT_TRUE(window.desktop.logged(u"open").isEmpty());
    EXPECT_FALSE(window.settings.onDisk(u"iDataS"_s).isValid());

    window.desktop.log.clear();
    drop({QUrl::fromLocalFile(source)});
    EXPECT_EQ(storedFolder(u"iDataS"_s), source);
    EXPECT_EQ(window.desktop.choosers.size(), 1U) << "no source chooser";
    expectOpenedAndReset(output);
}

// The end-of-run alert when every picture got its copy, some with a note.
TEST(RunReportTest, NotesAloneSayThePicturesWereConverted) {
    const Alert report = runReport({.pictureCount = 2,
                                    .converted = 2,
                                    .failures = {},
                                    .notedConversions = {{"b.jpg", true, {}, {u"a note"_s}}}});
    EXPECT_EQ(report.messageText, u"Some pictures were converted with a note"_s);
    EXPECT_EQ(report.informativeText,
              u"1 of 2 pictures got their copy with a note:\n\nb.jpg: a note\n"_s);
    EXPECT_EQ(report.buttons, QStringList{u"Got it"_s});
}

} // namespace
} // namespace plenwick::test
