#include "conversionwindow.h"
#include "runningprocesses.h"
#include "testpictures.h"

#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <iostream>
#include <unistd.h>

namespace plenwick::test {
namespace {

// How many pixels differ between two pictures, at full depth, as ImageMagick decodes them.
QString differingPixels(const QString& a, const QString& b) {
    QProcess compare;
    compare.start(QStringLiteral("compare"),
                  {QStringLiteral("-metric"), QStringLiteral("AE"), a, b, QStringLiteral("null:")});
    compare.waitForFinished(30000);
    return QString::fromUtf8(compare.readAllStandardError()).trimmed();
}

// Runs in a fresh working folder: a name that got executed leaves its traces there, not in the
// build tree where it would fail every later run.
class EndToEndTest : public ConversionWindow {
protected:
    EndToEndTest()
        : previousFolder(QDir::currentPath()) {
        QDir::setCurrent(workingFolder.path());
    }
    ~EndToEndTest() override { QDir::setCurrent(previousFolder); }

    // Starts converting the source folder into the output folder through the window, at 300 DPI.
    void start(const QString& source, const QString& output) {
        chooseOutputFolder(output);
        form().dpi->setText(QStringLiteral("300"));
        window.desktop.answerChooser(confirmed(source));
        window.desktop.beeps = 0;
        form().startB->click();
    }
    void convert(const QString& source, const QString& output) {
        start(source, output);
        waitForRunEnd();
    }

    [[nodiscard]] QStringList failureAlerts() const {
        return window.desktop.log.filter(QStringLiteral("alert ") + ExpectedTexts::FailuresTitle);
    }

    void expectOpenedAndBeeped(const QString& output) const {
        ASSERT_EQ(window.desktop.openedUrls.size(), 1U);
        EXPECT_EQ(window.desktop.openedUrls.front(), QUrl::fromLocalFile(output));
        EXPECT_EQ(window.desktop.log.last(), QStringLiteral("beep"));
        EXPECT_FALSE(form().progressBar->isVisible());
    }

    // ExifTool reads 300 DPI from each copy; the user's own "a.jp2" keeps its bytes.
    static void expectAt300DpiBesideTheUsersOwnFile(const QString& output,
                                                    const QSet<QString>& names) {
        const std::map<QString, QJsonObject> judged = judge(output);
        for (const QString& name : names) {
            const QJsonObject file = judged.contains(name) ? judged.at(name) : QJsonObject();
            if (name == QStringLiteral("a.jp2")) {
                QFile own(QDir(output).filePath(name));
                EXPECT_TRUE(own.open(QIODevice::ReadOnly) && own.readAll() == "mine")
                    << "untouched";
            } else if (name.endsWith(QStringLiteral(".jpg"))) {
                EXPECT_EQ(std::pair(file[QStringLiteral("JFIF:XResolution")].toDouble(),
                                    file[QStringLiteral("IFD0:YResolution")].toDouble()),
                          std::pair(300.0, 300.0))
                    << name.toStdString();
            } else {
                EXPECT_EQ(file[QStringLiteral("PNG-pHYs:PixelsPerUnitY")].toDouble(),
                          std::round(300 / 0.0254))
                    << name.toStdString();
            }
        }
    }

    QTemporaryDir workingFolder;
    QString previousFolder;
};

TEST_F(EndToEndTest, ConvertsEveryPictureOfAFolderAndNothingElse) {
    const QString source = folder(QStringLiteral("source pictures"));
    const QString output = folder(QStringLiteral("converted"));
    // Each picture and its copy's name (null: the same); the format follows the extension.
    // clang-format off
    const std::pair<const char*, const char*> pictures[] = {
        {"p1.png", nullptr}, {"p2.TIF", nullptr}, {"j1.JPG", "j1.jpg"}, {"j2.jpeg", "j2.jpg"},
        {".h.jpg", nullptr}, {"a.jpg", nullptr}, {"a.png", nullptr}, {"quote\".jpg", nullptr},
        {"$(touch INJECTED).png", nullptr}, {"`touch INJECTED`.png", nullptr},
        {"back\\slash.tif", nullptr}, {"line\nfeed.jpg", nullptr},
        {"Bildchen-\xc3\xbc\xe2\x82\xac.png", nullptr}};
    // clang-format on
    QSet<QString> expected{QStringLiteral("a.jp2")}; // the user's own file stays
    for (const auto& [name, copy] : pictures) {
        const QString file = QString::fromUtf8(name);
        const QString suffix = QFileInfo(file).suffix().toLower();
        makePicture(QDir(source).filePath(file), suffix.startsWith(u'j')   ? QStringLiteral("jpeg")
                                                 : suffix.startsWith(u't') ? QStringLiteral("tiff")
                                                                           : QStringLiteral("png"));
        expected.insert(copy ? QString::fromUtf8(copy) : file);
    }
    writeText(QDir(source).filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(QDir(source).mkdir(QStringLiteral("album.png")));
    // The user's own file under a name the intermediate file might have taken.
    writeText(QDir(output).filePath(QStringLiteral("a.jp2")), "mine");
    convert(source, output);

    EXPECT_TRUE(failureAlerts().isEmpty()) << "a clean run looks as it always did";
    // Three steps per picture, nothing for the rest.
    EXPECT_EQ(window.desktop.tools.commands().size(), 3 * std::size(pictures));
    const QStringList produced = QDir(output).entryList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot);
    EXPECT_EQ(QSet<QString>(produced.begin(), produced.end()), expected);

    expectAt300DpiBesideTheUsersOwnFile(output, expected);
    for (const auto& [name, copy] : pictures) {
        EXPECT_EQ(differingPixels(QDir(source).filePath(QString::fromUtf8(name)),
                                  QDir(output).filePath(QString::fromUtf8(copy ? copy : name))),
                  QStringLiteral("0"))
            << name << " holds other samples than its copy";
    }
    for (const QString& place : {source, output, workingFolder.path(), root.path()})
        EXPECT_FALSE(QFileInfo::exists(QDir(place).filePath(QStringLiteral("INJECTED"))));

    expectOpenedAndBeeped(output);
}

// Broken pictures are named with the tool's reason, after the output folder is opened; folders
// and files that are no pictures by their names are never named.
TEST_F(EndToEndTest, ReportsEveryPictureWithoutACopyAndWhy) {
    const QString source = folder(QStringLiteral("mixed"));
    const QString output = folder(QStringLiteral("converted"));
    const QDir in(source);
    for (const char* name : {"good.jpg", "good.png", "good.tif"})
        makePicture(in.filePath(QString::fromLatin1(name)), QString::fromLatin1(name).mid(5));
    makeTruncatedJpeg(in.filePath(QStringLiteral("truncated.jpg")));
    writeText(in.filePath(QStringLiteral("x.png")));
    writeText(in.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(in.mkdir(QStringLiteral("album.jpg")));
    QSet<QString> broken{QStringLiteral("truncated.jpg"), QStringLiteral("x.png")};
    if (::geteuid() != 0) {
        makePicture(in.filePath(QStringLiteral("unreadable.png")), QStringLiteral("png"));
        ASSERT_TRUE(QFile::setPermissions(in.filePath(QStringLiteral("unreadable.png")), {}));
        broken.insert(QStringLiteral("unreadable.png"));
    } else {
        std::cout << "[   NOTE   ] no unreadable picture: root reads every file\n";
    }
    window.desktop.answerAlert(AlertButton::First); // the failure alert, after the choosers

    convert(source, output);

    ASSERT_EQ(failureAlerts().size(), 1);
    const qsizetype opened = window.desktop.log.indexOf(QStringLiteral("open ") +
                                                        QUrl::fromLocalFile(output).toString());
    ASSERT_GE(opened, 0);
    EXPECT_GT(window.desktop.log.indexOf(failureAlerts().front()), opened);
    const QStringList lines =
        window.desktop.alerts.back().alert.informativeText.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), broken.size() + 1);
    EXPECT_EQ(lines.front(), ExpectedTexts::failuresHeading(broken.size(), broken.size() + 3));
    QSet<QString> named;
    for (const QString& line : lines.mid(1)) {
        const qsizetype colon = line.indexOf(QStringLiteral(": "));
        ASSERT_GT(colon, 0) << line.toStdString();
        named.insert(line.left(colon));
        const QString reason = line.mid(colon + 2);
        // The tool's own reason, without its name or a path.
        EXPECT_FALSE(reason.isEmpty() || reason.startsWith(QStringLiteral("sips:")) ||
                     reason.contains(source) || reason.contains(QStringLiteral(".plenwick-")))
            << line.toStdString();
    }
    EXPECT_EQ(named, broken);
    for (const char* name : {"good.jpg", "good.png", "good.tif"})
        EXPECT_TRUE(QFileInfo::exists(QDir(output).filePath(QString::fromLatin1(name)))) << name;
    EXPECT_EQ(window.desktop.log.last(), QStringLiteral("beep"));
}

// What the tool warned of reaches the alert under a heading of its own, apart from the pictures
// that got no copy; the failure list names ten and counts the rest, down to a single one.
TEST_F(EndToEndTest, NotesAreListedApartFromThePicturesWithoutACopy) {
    const QString source = folder(QStringLiteral("noted"));
    const QDir in(source);
    makeJpegWithUnreadableExif(in.filePath(QStringLiteral("camera.jpg")));
    makePicture(in.filePath(QStringLiteral("plain.png")), QStringLiteral("png"));
    window.desktop.answerAlert(AlertButton::First);
    convert(source, folder(QStringLiteral("first")));

    ASSERT_EQ(window.desktop.alerts.size(), 2U) << "the confirmation, then the report";
    const Alert& notesOnly = window.desktop.alerts.back().alert;
    EXPECT_EQ(notesOnly.messageText, ExpectedTexts::NotesTitle);
    const QString heading = ExpectedTexts::notesHeading(1, 2);
    const QStringList lines = notesOnly.informativeText.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << notesOnly.informativeText.toStdString();
    EXPECT_EQ(lines.front(), heading);
    const QString note = lines.back();
    EXPECT_TRUE(note.startsWith(QStringLiteral("camera.jpg: "))) << note.toStdString();
    // The tool's own words, said once for the picture, without its name or a path.
    EXPECT_FALSE(note.contains(QStringLiteral("sips")) || note.contains(source) ||
                 note.contains(QStringLiteral("/proc/")) ||
                 note.contains(QStringLiteral(".plenwick-")) ||
                 note.count(QStringLiteral("camera.jpg")) != 1)
        << note.toStdString();
    EXPECT_TRUE(failureAlerts().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(
        QDir(folder(QStringLiteral("first"))).filePath(QStringLiteral("camera.jpg"))));

    for (int number = 1; number <= 11; ++number)
        writeText(in.filePath(QStringLiteral("broken%1.png").arg(number, 2, 10, QChar(u'0'))));
    window.desktop.answerAlert(AlertButton::First);
    convert(source, folder(QStringLiteral("second")));

    ASSERT_EQ(failureAlerts().size(), 1);
    const QString report = window.desktop.alerts.back().alert.informativeText;
    const QString failures = report.section(ExpectedTexts::notesHeading(1, 13), 0, 0);
    EXPECT_TRUE(failures.startsWith(ExpectedTexts::failuresHeading(11, 13)))
        << report.toStdString();
    const QStringList failed = failures.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(failed.size(), 1 + 10 + 1) << report.toStdString();
    for (const QString& line : failed.mid(1, 10))
        EXPECT_TRUE(line.startsWith(QStringLiteral("broken"))) << line.toStdString();
    EXPECT_EQ(failed.back(), QStringLiteral("and 1 more"));
    EXPECT_TRUE(report.endsWith(u'\n' + ExpectedTexts::notesHeading(1, 13) +
                                QStringLiteral("\n\n") + note + u'\n'))
        << report.toStdString();
}

// The picture names of the step-1 commands that ran: the pictures a run started.
QSet<QString> startedPictures(const std::vector<QByteArray>& commands) {
    QSet<QString> started;
    for (const QByteArray& command : commands) {
        if (command.startsWith("sips -s format jp2 "))
            started.insert(QFileInfo(QString::fromUtf8(command.split('"').at(1))).fileName());
    }
    return started;
}

// Every core converts: two tools run at once, and the progress line names both pictures.
TEST_F(EndToEndTest, RunsAPictureOnEveryCore) {
    if (QThread::idealThreadCount() < 2)
        GTEST_SKIP() << "one core: one picture at a time";
    const QString source = folder(QStringLiteral("six"));
    const QString output = folder(QStringLiteral("converted"));
    for (int number = 1; number <= 6; ++number)
        makePicture(QDir(source).filePath(QStringLiteral("%1.png").arg(number)),
                    QStringLiteral("png"), QStringLiteral("1200x900"));
    QStringList shown;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, form().progressText, [this, &shown] {
        const QString text = form().progressText->text();
        if (!text.isEmpty() && !shown.contains(text))
            shown.append(text);
    });
    watch.start(5);

    convert(source, output);

    EXPECT_GE(window.desktop.tools.mostAtOnce(), 2);
    const QRegularExpression twoAtOnce(
        QStringLiteral("^Converting (\\d)\u2013(\\d) of 6: \\d\\.png, \\d\\.png"));
    EXPECT_TRUE(std::any_of(shown.cbegin(), shown.cend(), [&](const QString& text) {
        return twoAtOnce.match(text).hasMatch();
    })) << shown.join(u'|').toStdString();
    EXPECT_EQ(QDir(output).entryList(QDir::Files | QDir::Hidden).size(), 6);
    EXPECT_TRUE(failureAlerts().isEmpty());
    expectOpenedAndBeeped(output);
}

// The Stop control finishes the pictures being converted and starts no other; the run then ends
// the usual way. Exactly the pictures started have copies, and no scratch file stays. Once
// pressed it stays disabled for the rest of the run, and the next run can be stopped again.
TEST_F(EndToEndTest, StopFinishesThePicturesInFlightAndStartsNoOther) {
    const QString source = folder(QStringLiteral("eight"));
    for (int number = 1; number <= 8; ++number)
        makePicture(QDir(source).filePath(QStringLiteral("%1.png").arg(number)),
                    QStringLiteral("png"), QStringLiteral("800x600"));
    for (const QString& output :
         {folder(QStringLiteral("first")), folder(QStringLiteral("second"))}) {
        bool stopReachable = false;
        bool stopPressed = false;
        bool enabledAfterPress = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, form().stopB, [&, this] {
            if (stopPressed) {
                enabledAfterPress = enabledAfterPress || form().stopB->isEnabled();
                return;
            }
            // The run shows its first picture (the label keeps the last run's text while hidden).
            if (!form().stopB->isVisible() || form().progressText->text().isEmpty())
                return;
            // Named and reached by keyboard: the accessibility test checks.
            stopReachable = form().stopB->isEnabled();
            form().stopB->click();
            stopPressed = true;
            enabledAfterPress = form().stopB->isEnabled();
        });
        watch.start(5);
        window.desktop.tools.clear();
        window.desktop.openedUrls.clear();

        convert(source, output);

        EXPECT_TRUE(stopReachable) << output.toStdString();
        EXPECT_FALSE(enabledAfterPress) << "one stop is enough";
        const QSet<QString> started = startedPictures(window.desktop.tools.commands());
        EXPECT_LT(started.size(), 8);
        const QStringList copies = QDir(output).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(QSet<QString>(copies.cbegin(), copies.cend()), started);
        EXPECT_FALSE(form().stopB->isVisible());
        EXPECT_EQ(form().progressBar->value(), 0);
        expectOpenedAndBeeped(output);
    }
}

// Closing the window or SIGTERM in the middle of a run: every running tool ends at once and no
// file of the run stays behind, neither the program's scratch files nor the tools' own.
TEST_F(EndToEndTest, TheProgramsEndTakesItsRunningToolsAlong) {
    const QString source = folder(QStringLiteral("large"));
    for (const char* name : {"large1.png", "large2.png", "large3.png"})
        makePicture(QDir(source).filePath(QString::fromLatin1(name)), QStringLiteral("png"),
                    QStringLiteral("4000x3000"));
    for (const bool bySignal : {true, false}) {
        const QString output =
            folder(bySignal ? QStringLiteral("out-term") : QStringLiteral("out-close"));
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
        window.desktop.terminated = false;
        window.desktop.tools.clear();

        start(source, output);
        watch.start(5);
        waitForRunEnd();

        EXPECT_TRUE(window.desktop.terminated) << bySignal;
        const std::vector<QByteArray> commands = window.desktop.tools.commands();
        EXPECT_EQ(commands.size(), startedPictures(commands).size())
            << "no step after the ended ones";
        EXPECT_TRUE(QDir(output)
                        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                        .isEmpty())
            << bySignal;
        EXPECT_TRUE(processesWorkingIn(output).empty()) << "the tools are gone";
        EXPECT_TRUE(failureAlerts().isEmpty()) << "no alert while the program ends";
        window.interface->mainWindow().show();
    }
}

} // namespace
} // namespace plenwick::test
