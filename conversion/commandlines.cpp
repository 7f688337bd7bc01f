#include "commandlines.h"

#include <array>

namespace plenwick {

std::optional<PictureFamily> pictureFamily(QStringView extension) {
    static constexpr std::array<QStringView, 6> pngFamily{u"png", u"PNG",  u"tif",
                                                          u"TIF", u"tiff", u"TIFF"};
    static constexpr std::array<QStringView, 4> jpegFamily{u"jpg", u"JPG", u"jpeg", u"JPEG"};
    for (QStringView candidate : pngFamily) {
        if (extension == candidate)
            return PictureFamily::Png;
    }
    for (QStringView candidate : jpegFamily) {
        if (extension == candidate)
            return PictureFamily::Jpeg;
    }
    return std::nullopt;
}

EntryName splitEntryName(const QString& name) {
    // A name whose only dot leads it (".jpg") is a hidden name without an extension.
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= 0)
        return {name, QString()};
    return {name.left(dot), name.mid(dot + 1)};
}

QString shellQuoted(QStringView text) {
    QString quoted;
    quoted.reserve(text.size());
    for (QChar character : text) {
        if (character == u'"' || character == u'$' || character == u'`' || character == u'\\')
            quoted += u'\\';
        quoted += character;
    }
    return quoted;
}

namespace {

QString quotedPath(const QString& folder, const QString& name) {
    return u'"' + shellQuoted(folder) + u'/' + shellQuoted(name) + u'"';
}

} // namespace

QString toJpeg2000Command(const QString& sourceFolder, const QString& entryName,
                          const QString& outputFolder, const QString& scratch) {
    return QStringLiteral("sips -s format jp2 ") + quotedPath(sourceFolder, entryName) +
           QStringLiteral(" --out ") + quotedPath(outputFolder, scratch) + QStringLiteral(".jp2");
}

QString setResolutionCommand(const QString& outputFolder, const QString& scratch, qint64 dpi) {
    const QString value = QString::number(dpi);
    return QStringLiteral("sips -s format jpeg ") + quotedPath(outputFolder, scratch) +
           QStringLiteral(".jp2 -s dpiHeight ") + value + QStringLiteral(" -s dpiWidth ") + value;
}

QString finalCommand(PictureFamily family, const QString& outputFolder, const QString& scratch,
                     const QString& base, const QString& extension) {
    // The extension is one of the family's fixed forms, so it needs no quoting.
    if (family == PictureFamily::Png)
        return QStringLiteral("sips -s format png ") + quotedPath(outputFolder, scratch) +
               QStringLiteral(".jp2 --out ") + quotedPath(outputFolder, base) + u'.' + extension;
    return QStringLiteral("sips -s format jpeg ") + quotedPath(outputFolder, scratch) +
           QStringLiteral(".jp2 --out ") + quotedPath(outputFolder, base) + QStringLiteral(".jpg");
}

QString scratchFilePath(const QString& outputFolder, const QString& scratch) {
    return outputFolder + u'/' + scratch + QStringLiteral(".jp2");
}

} // namespace plenwick
