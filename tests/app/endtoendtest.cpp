#include "conversionwindow.h"
#include "runningprocesses.h"
#include "testpictures.h"

#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <cmath>
#include <csignal>

namespace plenwick::test {
namespace {

// The picture names of the step-1 commands that ran: the pictures a run started.
QSet<QString> startedPictures(const std::vector<QByteArray>& commands) {
    QSet<QString> started;
    for (const QByteArray& command : commands) {
        if (command.startsWith("sips -s format jp2 "))
            started.insert(QFileInfo(QString::fromUtf8(command.split('"').at(1))).fileName());
    }
    return started;
}

// Whole runs through the window with the real image tool.
class EndToEndTest : public ConversionWindow {
protected:
    // Starts converting the source folder into the output folder through the window, at 150 DPI
    // (not the field's first value).
    void start(const QString& source, const QString& output) {
        chooseOutputFolder(output);
        form().dpi->setText(u"150"_s);
        window.desktop.answerChooser(confirmed(source));
        window.desktop.log.clear();
        form().startB->click();
    }
};

// One run over a folder of every kind: each picture gets its copy at the DPI of the field, with the
// source's samples; after the output folder is opened, one alert names each picture that got no
// copy with the tool's reason, then those converted with a note. Folders and files that are no
// pictures by their names are never named. Odd names, and the words of the reasons and notes, are
// the engine's and the command line's to test. The run's end reaches a user who went on with other
// work as a notification; the next runs, watched, are not notified.
TEST_F(EndToEndTest, ConvertsEveryPictureAndReportsEachOneWithoutACopyAndWhy) {
    const QString source = folder(u"source pictures"_s);
    const QString output = folder(u"converted"_s);
    const QDir in(source);
    // Each picture and its copy's name (null: the same); the format follows the extension.
    const std::pair<const char*, const char*> pictures[] = {
        {"p1.png", nullptr}, {"p2.TIF", nullptr}, {"j1.JPG", "j1.jpg"}, {"j2.jpeg", "j2.jpg"},
        {".h.jpg", nullptr}, {"a.jpg", nullptr},  {"a.png", nullptr}};
    QSet<QString> expected{u"a.jp2"_s, u"camera.jpg"_s};
    for (const auto& [name, copy] : pictures) {
        makePicture(in.filePath(QString::fromUtf8(name)),
                    QFileInfo(QString::fromUtf8(name)).suffix());
        expected.insert(QString::fromUtf8(copy ? copy : name));
    }
    makeJpegWithUnreadableExif(in.filePath(u"camera.jpg"_s));
    makeTruncatedJpeg(in.filePath(u"truncated.jpg"_s));
    writeText(in.filePath(u"x.png"_s));
    writeText(in.filePath(u"notes.txt"_s));
    ASSERT_TRUE(in.mkdir(u"album.png"_s));
    // The user's own file under a name the intermediate file might have taken.
    writeText(QDir(output).filePath(u"a.jp2"_s), "mine");
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    window.desktop.answerAlert(AlertButton::First);
    start(source, output);
    waitForRunEnd();

    EXPECT_EQ(window.desktop.logged(u"notify"),
              QStringList{u"notify Plenwick finished\n8 pictures converted, 3 need attention."_s});
    const QStringList produced = QDir(output).entryList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot);
    EXPECT_EQ(QSet<QString>(produced.begin(), produced.end()), expected);
    QFile own(QDir(output).filePath(u"a.jp2"_s));
    EXPECT_TRUE(own.open(QIODevice::ReadOnly) && own.readAll() == "mine") << "untouched";
    // ExifTool reads 150 DPI from each copy, and ImageMagick the source's samples.
    const std::map<QString, QJsonObject> judged = judge(output);
    for (const auto& [name, copy] : pictures) {
        const QString copyName = QString::fromUtf8(copy ? copy : name);
        SCOPED_TRACE(copyName.toStdString());
        const QJsonObject file = judged.contains(copyName) ? judged.at(copyName) : QJsonObject();
        if (copyName.endsWith(u".jpg"_s))
            EXPECT_EQ(std::pair(file[u"JFIF:XResolution"_s].toDouble(),
                                file[u"IFD0:YResolution"_s].toDouble()),
                      std::pair(150.0, 150.0));
        else if (copyName.endsWith(u".png"_s))
            EXPECT_EQ(file[u"PNG-pHYs:PixelsPerUnitY"_s].toDouble(), std::round(150 / 0.0254));
        else
            EXPECT_EQ(file[u"IFD0:XResolution"_s].toDouble(), 150.0);
        QProcess compare; // ImageMagick counts the pixels that differ, at full depth
        compare.start(u"compare"_s, {u"-metric"_s, u"AE"_s, in.filePath(QString::fromUtf8(name)),
                                     QDir(output).filePath(copyName), u"null:"_s});
        compare.waitForFinished(30000);
        EXPECT_EQ(compare.readAllStandardError().trimmed(), "0");
    }

    const QString failureAlert = u"alert Some pictures were not converted"_s;
    ASSERT_EQ(window.desktop.logged(u"alert"), QStringList{failureAlert});
    EXPECT_GT(window.desktop.log.indexOf(failureAlert),
              window.desktop.log.indexOf(window.desktop.logged(u"open").value(0)));
    // Each picture without a copy named with a reason, then the tool's own words said once.
    const QRegularExpression report(QRegularExpression::anchoredPattern(
        u"2 of 10 pictures got no copy in the output folder:\n\ntruncated\\.jpg: .+\nx\\.png: "
        u".+\n\n"
        u"1 of 10 pictures got their copy with a note:\n\ncamera\\.jpg: .+\n"_s));
    EXPECT_TRUE(report.match(window.desktop.alerts.back().informativeText).hasMatch())
        << window.desktop.alerts.back().informativeText.toStdString();
    expectOpenedAndReset(output);
}

// The Stop control finishes the pictures being converted and starts no other; the run then ends
// the usual way. Exactly the pictures started have copies, and no scratch file stays. Once
// pressed it stays disabled for the rest of the run. The next run can be stopped again, and left
// alone converts on every core: two tools at once, and the progress line names both pictures.
TEST_F(EndToEndTest, StopFinishesThePicturesInFlightAndTheNextRunUsesEveryCore) {
    const QString source = folder(u"eight"_s);
    for (int number = 1; number <= 8; ++number)
        makePicture(QDir(source).filePath(u"%1.png"_s.arg(number)), u"png"_s, u"1200x900"_s);
    QStringList shown;
    window.interface->mainWindow().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.interface->mainWindow()));
    for (const bool stop : {true, false}) {
        const QString output = folder(stop ? u"stopped"_s : u"whole"_s);
        bool stopReachable = false;
        bool stopPressed = false;
        bool enabledAfterPress = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, form().stopB, [&, this] {
            if (!shown.contains(form().progressText->text()))
                shown.append(form().progressText->text());
            if (stopPressed) {
                enabledAfterPress = enabledAfterPress || form().stopB->isEnabled();
                return;
            }
            // The run shows its first picture (the label keeps the last run's text while hidden).
            if (!form().stopB->isVisible() || form().progressText->text().isEmpty())
                return;
            stopReachable = form().stopB->isEnabled();
            if (!stop)
                return;
            form().stopB->click();
            stopPressed = true;
            enabledAfterPress = form().stopB->isEnabled();
        });
        watch.start(5);
        window.desktop.tools.clear();

        start(source, output);
        waitForRunEnd();

        EXPECT_TRUE(stopReachable) << output.toStdString();
        EXPECT_FALSE(enabledAfterPress) << "one stop is enough";
        const QSet<QString> started = startedPictures(window.desktop.tools.commands());
        EXPECT_EQ(started.size() < 8, stop);
        const QStringList copies = QDir(output).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(QSet<QString>(copies.cbegin(), copies.cend()), started);
        EXPECT_FALSE(form().stopB->isVisible());
        EXPECT_TRUE(window.desktop.logged(u"alert").isEmpty());
        EXPECT_TRUE(window.desktop.logged(u"notify").isEmpty());
        expectOpenedAndReset(output);
    }
    if (QThread::idealThreadCount() < 2)
        return; // one core: one picture at a time
    EXPECT_GE(window.desktop.tools.mostAtOnce(), 2);
    const QRegularExpression twoAtOnce(u"^Converting \\d\u2013\\d of 8: \\d\\.png, \\d\\.png"_s);
    EXPECT_FALSE(shown.filter(twoAtOnce).isEmpty()) << shown.join(u'|').toStdString();
}

// Closing the window or SIGTERM in the middle of a run: every running tool ends at once and no
// file of the run stays behind, neither the program's scratch files nor the tools' own.
TEST_F(EndToEndTest, TheProgramsEndTakesItsRunningToolsAlong) {
    const QString source = folder(u"large"_s);
    for (int number = 1; number <= 3; ++number)
        makePicture(QDir(source).filePath(u"%1.png"_s.arg(number)), u"png"_s, u"4000x3000"_s);
    for (const bool bySignal : {true, false}) {
        const QString output = folder(bySignal ? u"out-term"_s : u"out-close"_s);
        // The end comes as soon as a tool is seen at work on the output folder.
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, form().progressBar,
                         [this, bySignal, &output, &watch] {
                             if (processesWorkingIn(output).empty())
                                 return;
                             watch.stop();
                             if (bySignal)
                                 ::raise(SIGTERM);
                             else
                                 window.interface->mainWindow().close();
                         });
        window.desktop.tools.clear();

        start(source, output);
        watch.start(5);
        waitForRunEnd();

        EXPECT_TRUE(window.desktop.log.contains(u"terminate"_s)) << bySignal;
        const std::vector<QByteArray> commands = window.desktop.tools.commands();
        EXPECT_EQ(commands.size(), startedPictures(commands).size())
            << "no step after the ended ones";
        EXPECT_TRUE(QDir(output)
                        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                        .isEmpty())
            << bySignal;
        EXPECT_TRUE(processesWorkingIn(output).empty()) << "the tools are gone";
        EXPECT_TRUE(window.desktop.logged(u"alert").isEmpty()) << "none while the program ends";
        window.interface->mainWindow().show();
    }
}

} // namespace
} // namespace plenwick::test
