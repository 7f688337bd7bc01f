#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace plenwick {

// What a picture becomes: PNG data under its own extension, or JPEG data named ".jpg".
enum class PictureFamily { Png, Jpeg };

// The family of a listed name's extension, compared exactly; nothing for a non-picture.
[[nodiscard]] std::optional<PictureFamily> pictureFamily(QStringView extension);

// A listed name split at its last dot: "archive.tar.png" is "archive.tar" and "png".
struct EntryName final {
    QString base;
    QString extension;
};
[[nodiscard]] EntryName splitEntryName(const QString& name);

// The text for use between double quotes on a /bin/sh command line: every character the shell
// still interprets there is escaped, so a name is never executed.
[[nodiscard]] QString shellQuoted(QStringView text);

// The image tool's command lines for one picture. `scratch` is the base name of the intermediate
// JPEG 2000 file in the output folder.
[[nodiscard]] QString toJpeg2000Command(const QString& sourceFolder, const QString& entryName,
                                        const QString& outputFolder, const QString& scratch);
[[nodiscard]] QString setResolutionCommand(const QString& outputFolder, const QString& scratch,
                                           qint64 dpi);
[[nodiscard]] QString finalCommand(PictureFamily family, const QString& outputFolder,
                                   const QString& scratch, const QString& base,
                                   const QString& extension);
[[nodiscard]] QString scratchFilePath(const QString& outputFolder, const QString& scratch);

} // namespace plenwick
