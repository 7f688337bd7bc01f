#pragma once

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace plenwick::test {

// A real picture made by ImageMagick: a gradient of the given size in the given format.
inline void makePicture(const QString& path, const QString& format,
                        const QString& size = QStringLiteral("48x32")) {
    QProcess convert;
    convert.start(QStringLiteral("convert"),
                  {QStringLiteral("-size"), size, QStringLiteral("gradient:orange-navy"),
                   format + u':' + path});
    ASSERT_TRUE(convert.waitForFinished(60000)) << path.toStdString();
    ASSERT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
}

// A JPEG whose scan stops at half its bytes, as an interrupted copy leaves it.
inline void makeTruncatedJpeg(const QString& path) {
    makePicture(path, QStringLiteral("jpeg"), QStringLiteral("320x200"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() / 2));
}

// A JPEG with an EXIF segment that holds no TIFF structure, as some cameras' firmware writes: its
// picture converts, and the image tool warns that the metadata was left out.
inline void makeJpegWithUnreadableExif(const QString& path) {
    makePicture(path, QStringLiteral("jpeg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const QByteArray payload("Exif\0\0not a TIFF header", 23);
    const auto length = static_cast<char>(payload.size() + 2);
    bytes.insert(2, QByteArray("\xff\xe1\0", 3) + length + payload);
    ASSERT_TRUE(file.seek(0));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline void writeText(const QString& path, const QByteArray& text = "not a picture") {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// What ExifTool, the independent judge, reads from each file of a folder, by file name.
inline std::map<QString, QJsonObject> judge(const QString& folder) {
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

} // namespace plenwick::test
