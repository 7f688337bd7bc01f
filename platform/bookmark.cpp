#include "bookmark.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <sys/stat.h>

namespace plenwick {

namespace {

constexpr quint32 Magic = 0x504c424d; // "PLBM"
constexpr quint16 FormatVersion = 1;

struct Identity final {
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const Identity&) const = default;
};

std::optional<Identity> identityOf(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return Identity{static_cast<quint64>(status.st_dev), static_cast<quint64>(status.st_ino)};
}

} // namespace

std::optional<QByteArray> bookmarkData(const QString& path) {
    const QFileInfo item(path);
    const QString canonical = item.canonicalFilePath();
    if (!item.isAbsolute() || canonical.isEmpty())
        return std::nullopt;
    const std::optional<Identity> identity = identityOf(canonical);
    if (!identity)
        return std::nullopt;

    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << Magic << FormatVersion << canonical << identity->device << identity->inode;
    return data;
}

std::optional<QString> resolveBookmarkData(const QByteArray& data) {
    QDataStream in(data);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint16 version = 0;
    QString path;
    Identity stored;
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != Magic || version != FormatVersion)
        return std::nullopt;
    in >> path >> stored.device >> stored.inode;
    if (in.status() != QDataStream::Ok || !in.atEnd() || path.isEmpty())
        return std::nullopt;

    const std::optional<Identity> current = identityOf(path);
    if (!current || *current != stored)
        return std::nullopt;
    return path;
}

} // namespace plenwick
