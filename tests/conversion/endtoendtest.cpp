#include "conversionwindow.h"
#include "testpictures.h"

#include <QRegularExpression>
#include <QTimer>
#include <cmath>
#include <csignal>
#include <iostream>
#include <unistd.h>

namespace plenwick::test {
namespace {

// Whether a running process has the text in its command line.
bool processMentioning(const QString& text) {
    const QByteArray wanted = QFile::encodeName(text);
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile commandLine(QStringLiteral("/proc/") + pid + QStringLiteral("/cmdline"));
        if (pid.front().isDigit() && commandLine.open(QIODevice::ReadOnly) &&
            commandLine.readAll().contains(wanted))
            return true;
    }
    return false;
}

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

    // Converts the source folder into the output folder through the window, at 300 DPI.
    void convert(const QString& source, const QString& output) {
        chooseOutputFolder(output);
        form().dpi->setText(QStringLiteral("300"));
        window.desktop.answerChooser(confirmed(source));
        window.desktop.beeps = 0;
        form().startB->click();
    }

    [[nodiscard]] QStringList failureAlerts() const {
        return window.desktop.log.filter(QStringLiteral("alert ") + WindowTexts::failuresTitle());
    }

    void expectOpenedAndBeeped(const QString& output) const {
        ASSERT_EQ(window.desktop.openedUrls.size(), 1U);
        EXPECT_EQ(window.desktop.openedUrls.front(), QUrl::fromLocalFile(output));
        EXPECT_EQ(window.desktop.log.last(), QStringLiteral("beep"));
        EXPECT_FALSE(form().progressBar->isVisible());
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
    QStringList shown;
    window.desktop.beforeEachPump = [this, &shown] {
        const QString text = form().progressText->text();
        if (!text.isEmpty() && (shown.isEmpty() || shown.last() != text))
            shown.append(text);
    };

    convert(source, output);

    EXPECT_TRUE(failureAlerts().isEmpty()) << "a clean run looks as it always did";
    // The requests by their first letters: the source chooser, the pass after the listing, per
    // picture three steps and the removal each followed by a pass, the closing passes, the opened
    // folder and the beep.
    QString kinds;
    for (const QString& request : window.desktop.log)
        kinds += request.front();
    const QString run = kinds.mid(kinds.lastIndexOf(u'c'));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^cp(spspsprp){%1}ppob$").arg(std::size(pictures)))
            .match(run)
            .hasMatch())
        << run.toStdString();
    const QStringList produced = QDir(output).entryList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot);
    EXPECT_EQ(QSet<QString>(produced.begin(), produced.end()), expected);

    const std::map<QString, QJsonObject> judged = judge(output);
    for (const QString& name : expected) {
        const bool jpeg = name.endsWith(QStringLiteral(".jpg"));
        const QJsonObject file = judged.contains(name) ? judged.at(name) : QJsonObject();
        if (name == QStringLiteral("a.jp2")) {
            QFile own(QDir(output).filePath(name));
            EXPECT_TRUE(own.open(QIODevice::ReadOnly) && own.readAll() == "mine") << "untouched";
        } else if (jpeg) {
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
    for (const auto& [name, copy] : pictures) {
        EXPECT_EQ(differingPixels(QDir(source).filePath(QString::fromUtf8(name)),
                                  QDir(output).filePath(QString::fromUtf8(copy ? copy : name))),
                  QStringLiteral("0"))
            << name << " holds other samples than its copy";
    }
    for (const QString& place : {source, output, workingFolder.path(), root.path()})
        EXPECT_FALSE(QFileInfo::exists(QDir(place).filePath(QStringLiteral("INJECTED"))));

    // Each picture is named while it converts; the time left follows once two are done.
    ASSERT_EQ(shown.size(), std::ssize(pictures)) << shown.join(u'|').toStdString();
    const QRegularExpression pattern(
        QStringLiteral("^Converting (\\d+) of %1: .+?( \\(about .+ left\\))?$")
            .arg(std::size(pictures)),
        QRegularExpression::DotMatchesEverythingOption);
    for (qsizetype index = 0; index < shown.size(); ++index) {
        const QRegularExpressionMatch match = pattern.match(shown.at(index));
        ASSERT_TRUE(match.hasMatch()) << shown.at(index).toStdString();
        EXPECT_EQ(match.captured(1).toInt(), index + 1);
        EXPECT_EQ(match.hasCaptured(2), index >= 2) << shown.at(index).toStdString();
    }
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
    window.desktop.answerAlert(AlertFirstButtonReturn); // the failure alert, after the choosers

    convert(source, output);

    ASSERT_EQ(failureAlerts().size(), 1);
    const qsizetype opened = window.desktop.log.indexOf(QStringLiteral("open ") +
                                                        QUrl::fromLocalFile(output).toString());
    ASSERT_GE(opened, 0);
    EXPECT_GT(window.desktop.log.indexOf(failureAlerts().front()), opened);
    const QStringList lines =
        window.desktop.alerts.back().alert.informativeText.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), broken.size() + 1);
    EXPECT_EQ(lines.front(),
              WindowTexts::failures(broken.size(), broken.size() + 3, {}).split(u'\n').front());
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

// The Stop control finishes the picture being converted, then the run ends the usual way.
TEST_F(EndToEndTest, StoppedAfterTheSecondPictureMakesTwoCopies) {
    const QString source = folder(QStringLiteral("four"));
    const QString output = folder(QStringLiteral("converted"));
    for (const char* name : {"1.png", "2.png", "3.png", "4.png"})
        makePicture(QDir(source).filePath(QString::fromLatin1(name)), QStringLiteral("png"));
    bool stopReachable = false;
    QObject::connect(form().progressBar, &QProgressBar::valueChanged, form().stopB,
                     [this, &stopReachable](int value) {
                         if (value != 1)
                             return;
                         // Named and reached by keyboard: the accessibility test checks.
                         stopReachable = form().stopB->isVisible() && form().stopB->isEnabled();
                         form().stopB->click();
                     });

    convert(source, output);

    EXPECT_TRUE(stopReachable);
    EXPECT_EQ(QDir(output).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_FALSE(form().stopB->isVisible());
    EXPECT_EQ(form().progressBar->value(), 0);
    expectOpenedAndBeeped(output);
}

// Closing the window or SIGTERM in the middle of a picture: its tool ends at once and no file of
// it stays behind, neither the program's scratch file nor the tool's own.
TEST_F(EndToEndTest, TheProgramsEndTakesItsRunningToolAlong) {
    const QString source = folder(QStringLiteral("large"));
    makePicture(QDir(source).filePath(QStringLiteral("large.png")), QStringLiteral("png"),
                QStringLiteral("4000x3000"));
    for (const bool bySignal : {true, false}) {
        const QString output =
            folder(bySignal ? QStringLiteral("out-term") : QStringLiteral("out-close"));
        QTimer end;
        end.setSingleShot(true);
        QObject::connect(&end, &QTimer::timeout, form().progressBar, [this, bySignal] {
            if (bySignal)
                ::raise(SIGTERM);
            else
                window.interface->mainWindow().close();
        });
        // The run's first event pass comes right before the picture's first step.
        bool started = false;
        window.desktop.beforeEachPump = [&end, &started, this] {
            if (!started && form().progressBar->isVisible()) {
                started = true;
                end.start(300);
            }
        };
        window.desktop.terminated = false;
        window.desktop.commands.clear();

        convert(source, output);
        window.desktop.beforeEachPump = {};

        EXPECT_TRUE(window.desktop.terminated) << bySignal;
        EXPECT_EQ(window.desktop.commands.size(), 1U) << "no step after the ended one";
        EXPECT_TRUE(QDir(output)
                        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                        .isEmpty())
            << bySignal;
        EXPECT_FALSE(processMentioning(output)) << "the tool is gone";
        EXPECT_TRUE(failureAlerts().isEmpty()) << "no alert while the program ends";
        window.interface->mainWindow().show();
    }
}

} // namespace
} // namespace plenwick::test
