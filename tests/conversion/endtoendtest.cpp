#include "conversionwindow.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <cmath>
#include <map>

namespace plenwick::test {
namespace {

// Every file and folder below `path` with a digest of its content.
std::map<QString, QByteArray> snapshot(const QString& path) {
    std::map<QString, QByteArray> entries;
    QDirIterator walk(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                      QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QString entry = walk.next();
        QFile file(entry);
        QByteArray digest = QByteArrayLiteral("folder");
        if (walk.fileInfo().isFile() && file.open(QIODevice::ReadOnly))
            digest = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
        entries.emplace(QDir(path).relativeFilePath(entry), digest);
    }
    return entries;
}

void makePicture(const QString& path, const QString& format) {
    QProcess convert;
    convert.start(QStringLiteral("convert"),
                  {QStringLiteral("-size"), QStringLiteral("48x32"),
                   QStringLiteral("gradient:orange-navy"), format + u':' + path});
    ASSERT_TRUE(convert.waitForFinished(30000)) << path.toStdString();
    ASSERT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
}

// What ExifTool, the independent judge, reads from each file, by file name.
std::map<QString, QJsonObject> judge(const QString& folder) {
    QProcess exiftool;
    exiftool.setWorkingDirectory(folder);
    exiftool.start(QStringLiteral("exiftool"),
                   QStringLiteral("-j -n -a -G1 -charset filename=utf8 -FileName -FileType "
                                  "-XResolution -YResolution -PixelsPerUnitX -PixelsPerUnitY "
                                  "-ImageSize -ext+ * .")
                       .split(u' '));
    exiftool.waitForFinished(60000);
    std::map<QString, QJsonObject> files;
    const QJsonArray all = QJsonDocument::fromJson(exiftool.readAllStandardOutput()).array();
    for (const QJsonValue& file : all)
        files.emplace(file[QStringLiteral("System:FileName")].toString(), file.toObject());
    return files;
}

// How many pixels differ between two pictures, at full depth, as ImageMagick decodes them.
QString differingPixels(const QString& a, const QString& b) {
    QProcess compare;
    compare.start(QStringLiteral("compare"),
                  {QStringLiteral("-metric"), QStringLiteral("AE"), a, b, QStringLiteral("null:")});
    compare.waitForFinished(30000);
    return QString::fromUtf8(compare.readAllStandardError()).trimmed();
}

class EndToEndTest : public ConversionWindow {};

TEST_F(EndToEndTest, ConvertsEveryPictureOfAFolderAndNothingElse) {
    const QString source = folder(QStringLiteral("source pictures"));
    const QString output = folder(QStringLiteral("converted"));
    const QDir in(source);
    struct Picture {
        const char* name;
        const char* format;
        const char* output; // nothing: not a picture by its name
    };
    const Picture pictures[] = {
        {"p1.png", "png", "p1.png"},
        {"p2.PNG", "png", "p2.PNG"},
        {"p3.tif", "tiff", "p3.tif"},
        {"p4.TIF", "tiff", "p4.TIF"},
        {"p5.tiff", "tiff", "p5.tiff"},
        {"p6.TIFF", "tiff", "p6.TIFF"},
        {"j1.jpg", "jpeg", "j1.jpg"},
        {"j2.JPG", "jpeg", "j2.jpg"},
        {"j3.jpeg", "jpeg", "j3.jpg"},
        {"j4.JPEG", "jpeg", "j4.jpg"},
        {"Photo.Jpg", "jpeg", nullptr},
        {".h.jpg", "jpeg", ".h.jpg"},
        {"a.jpg", "jpeg", "a.jpg"},
        {"a.jpeg", "jpeg", "a.jpg"},
        {"a.png", "png", "a.png"},
        {"archive.tar.png", "png", "archive.tar.png"},
        {"$(touch INJECTED).png", "png", "$(touch INJECTED).png"},
        {"quote\".jpg", "jpeg", "quote\".jpg"},
        {"`touch INJECTED`.png", "png", "`touch INJECTED`.png"},
        {"back\\slash.tif", "tiff", "back\\slash.tif"},
        {"space d.jpeg", "jpeg", "space d.jpg"},
        {"line\nfeed.jpg", "jpeg", "line\nfeed.jpg"},
        {"Bildchen-\xc3\xbc\xe2\x82\xac.png", "png", "Bildchen-\xc3\xbc\xe2\x82\xac.png"}};
    QSet<QString> expected{QStringLiteral("a.jp2")}; // the user's own file stays
    for (const auto& [name, format, converted] : pictures) {
        makePicture(in.filePath(QString::fromUtf8(name)), QString::fromLatin1(format));
        if (converted != nullptr)
            expected.insert(QString::fromUtf8(converted));
    }
    QFile notes(in.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a picture");
    notes.close();
    ASSERT_TRUE(in.mkdir(QStringLiteral("album.png")));
    // The user's own file under a name the intermediate file might have taken.
    QFile own(QDir(output).filePath(QStringLiteral("a.jp2")));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("mine");
    own.close();

    const auto sourceBefore = snapshot(source);
    form().progressBar->reset();
    std::vector<int> progress;
    QObject::connect(form().progressBar, &QProgressBar::valueChanged, form().progressBar,
                     [&progress](int value) { progress.push_back(value); });

    chooseOutputFolder(output);
    form().dpi->setText(QStringLiteral("300"));
    window.desktop.answerChooser(confirmed(source));
    window.desktop.beeps = 0;
    form().startB->click();

    const QStringList produced = QDir(output).entryList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot);
    EXPECT_EQ(QSet<QString>(produced.begin(), produced.end()), expected);

    const std::map<QString, QJsonObject> judged = judge(output);
    for (const QString& name : expected) {
        if (name == QStringLiteral("a.jp2"))
            continue;
        ASSERT_TRUE(judged.contains(name)) << name.toStdString();
        const QJsonObject& file = judged.at(name);
        const bool jpeg = name.endsWith(QStringLiteral(".jpg"));
        EXPECT_EQ(file[QStringLiteral("File:FileType")].toString(),
                  jpeg ? QStringLiteral("JPEG") : QStringLiteral("PNG"))
            << name.toStdString();
        EXPECT_EQ(file[QStringLiteral("Composite:ImageSize")].toString(), QStringLiteral("48 32"));
        if (jpeg) {
            EXPECT_EQ(file[QStringLiteral("IFD0:XResolution")].toDouble(), 300)
                << name.toStdString();
            EXPECT_EQ(file[QStringLiteral("IFD0:YResolution")].toDouble(), 300);
            EXPECT_EQ(file[QStringLiteral("JFIF:XResolution")].toDouble(), 300);
            EXPECT_EQ(file[QStringLiteral("JFIF:YResolution")].toDouble(), 300);
        } else {
            const double perMetre = std::round(300 / 0.0254);
            EXPECT_EQ(file[QStringLiteral("PNG-pHYs:PixelsPerUnitX")].toDouble(), perMetre)
                << name.toStdString();
            EXPECT_EQ(file[QStringLiteral("PNG-pHYs:PixelsPerUnitY")].toDouble(), perMetre);
        }
    }
    for (const auto& [name, format, converted] : pictures) {
        if (converted != nullptr) {
            EXPECT_EQ(differingPixels(in.filePath(QString::fromUtf8(name)),
                                      QDir(output).filePath(QString::fromUtf8(converted))),
                      QStringLiteral("0"))
                << name << " holds other samples than its copy";
        }
    }
    QFile ownAfter(QDir(output).filePath(QStringLiteral("a.jp2")));
    ASSERT_TRUE(ownAfter.open(QIODevice::ReadOnly));
    EXPECT_EQ(ownAfter.readAll(), QByteArray("mine")) << "the user's own file is untouched";

    EXPECT_EQ(snapshot(source), sourceBefore) << "the source folder is unchanged";
    for (const QString& place : {source, output, QDir::currentPath(), root.path()})
        EXPECT_FALSE(QFileInfo::exists(QDir(place).filePath(QStringLiteral("INJECTED"))));

    const int entries = static_cast<int>(sourceBefore.size());
    std::vector<int> steps(static_cast<size_t>(entries));
    std::iota(steps.begin(), steps.end(), 0);
    steps.push_back(0); // the closing reset
    EXPECT_EQ(progress, steps);
    EXPECT_EQ(form().progressBar->maximum(), entries);

    ASSERT_EQ(window.desktop.openedUrls.size(), 1U);
    EXPECT_EQ(window.desktop.openedUrls.front(), QUrl::fromLocalFile(output));
    EXPECT_EQ(title(*form().outfolderB), QString::fromUtf16(SelectOutputFolderFirst));
    EXPECT_FALSE(form().startB->isEnabled());
    EXPECT_FALSE(form().dpi->isEnabled());
    EXPECT_FALSE(form().coverB->isVisible());
    EXPECT_FALSE(form().progressBar->isVisible());
    EXPECT_EQ(window.desktop.beeps, 1);
}

} // namespace
} // namespace plenwick::test
