#include "toolcommands.h"

#include <QStringBuilder>
#include <array>

namespace plenwick {

using namespace Qt::Literals::StringLiterals;

std::optional<PictureFamily> pictureFamily(QByteArrayView extension) {
    static constexpr std::array<QByteArrayView, 3> pngFamily{"png", "tif", "tiff"};
    static constexpr std::array<QByteArrayView, 2> jpegFamily{"jpg", "jpeg"};
    for (QByteArrayView candidate : pngFamily) {
        if (extension.compare(candidate, Qt::CaseInsensitive) == 0)
            return PictureFamily::Png;
    }
    for (QByteArrayView candidate : jpegFamily) {
        if (extension.compare(candidate, Qt::CaseInsensitive) == 0)
            return PictureFamily::Jpeg;
    }
    return std::nullopt;
}

EntryName splitEntryName(const QByteArray& name) {
    // A name whose only dot leads it (".jpg") is a hidden name without an extension.
    const qsizetype dot = name.lastIndexOf('.');
    if (dot <= 0)
        return {name, QByteArray()};
    return {name.left(dot), name.mid(dot + 1)};
}

QByteArray copyName(const QByteArray& name, PictureFamily family) {
    if (family == PictureFamily::Png)
        return name;
    return splitEntryName(name).base + ".jpg"_ba;
}

QByteArray shellQuoted(QByteArrayView text) {
    QByteArray quoted;
    quoted.reserve(text.size());
    for (const char character : text) {
        if (character == '"' || character == '$' || character == '`' || character == '\\')
            quoted += '\\';
        quoted += character;
    }
    return quoted;
}

QByteArray toolPath(const QByteArray& folder, const QByteArray& name) {
    // A relative folder named "-photos" would reach the tool as an option.
    const QByteArray anchored = folder.startsWith('/') ? folder : "./"_ba + folder;
    return anchored + "/"_ba + name;
}

namespace {

QByteArray quotedPath(const QByteArray& folder, const QByteArray& name) {
    return "\""_ba + shellQuoted(toolPath(folder, name)) + "\""_ba;
}

} // namespace

QByteArray toJpeg2000Command(const QByteArray& sourceFolder, const QByteArray& entryName,
                             const QByteArray& outputFolder, const QByteArray& scratch) {
    return "sips -s format jp2 "_ba + quotedPath(sourceFolder, entryName) + " --out "_ba +
           quotedPath(outputFolder, scratch) + ".jp2"_ba;
}

QByteArray setResolutionCommand(const QByteArray& outputFolder, const QByteArray& scratch,
                                qint64 dpi) {
    const QByteArray value = QByteArray::number(dpi);
    return "sips -s format jpeg "_ba + quotedPath(outputFolder, scratch) + ".jp2 -s dpiHeight "_ba +
           value + " -s dpiWidth "_ba + value;
}

QByteArray finalCommand(PictureFamily family, const QByteArray& outputFolder,
                        const QByteArray& scratch, const QByteArray& base,
                        const QByteArray& extension) {
    // The extension is one of the picture extensions, letters only, so it needs no quoting.
    if (family == PictureFamily::Png)
        return "sips -s format png "_ba + quotedPath(outputFolder, scratch) + ".jp2 --out "_ba +
               quotedPath(outputFolder, base) + "."_ba + extension;
    return "sips -s format jpeg "_ba + quotedPath(outputFolder, scratch) + ".jp2 --out "_ba +
           quotedPath(outputFolder, base) + ".jpg"_ba;
}

} // namespace plenwick
