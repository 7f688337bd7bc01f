#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace plenwick {

// What a picture becomes: PNG data under its own extension, or JPEG data named ".jpg".
enum class PictureFamily { Png, Jpeg };

// The family of a name's extension (jpg, jpeg, png, tif, tiff in any letter case); nothing for a
// name that is no picture's.
[[nodiscard]] std::optional<PictureFamily> pictureFamily(QByteArrayView extension);

// A listed name split at its last dot: "archive.tar.png" is "archive.tar" and "png".
struct EntryName final {
    QByteArray base;
    QByteArray extension;
};
[[nodiscard]] EntryName splitEntryName(const QByteArray& name);

// The name of a picture's copy: the base and ".jpg" for a JPEG, the name itself otherwise.
[[nodiscard]] QByteArray copyName(const QByteArray& name, PictureFamily family);

// The bytes for use between double quotes on a /bin/sh command line: every character the shell
// still interprets there is escaped, so a name is never executed.
[[nodiscard]] QByteArray shellQuoted(QByteArrayView text);

// A file's path as the command lines hand it to the tool: never read as an option, whatever the
// folder's name.
[[nodiscard]] QByteArray toolPath(const QByteArray& folder, const QByteArray& name);

// The image tool's command lines for one picture, as the bytes the shell reads. `scratch` is the
// base name of the intermediate JPEG 2000 file in the output folder.
[[nodiscard]] QByteArray toJpeg2000Command(const QByteArray& sourceFolder,
                                           const QByteArray& entryName,
                                           const QByteArray& outputFolder,
                                           const QByteArray& scratch);
[[nodiscard]] QByteArray setResolutionCommand(const QByteArray& outputFolder,
                                              const QByteArray& scratch, qint64 dpi);
[[nodiscard]] QByteArray finalCommand(PictureFamily family, const QByteArray& outputFolder,
                                      const QByteArray& scratch, const QByteArray& base,
                                      const QByteArray& extension);

} // namespace plenwick
