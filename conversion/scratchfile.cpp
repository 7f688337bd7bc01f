#include "scratchfile.h"

#include <QStringBuilder>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace plenwick {

using namespace Qt::Literals::StringLiterals;

std::variant<QByteArray, QString> claimScratchName(const QByteArray& outputFolder) {
    static constexpr QByteArrayView Suffix = ".jp2";
    QByteArray path = outputFolder + "/.plenwick-XXXXXX"_ba + Suffix.toByteArray();
    const int descriptor = ::mkostemps(path.data(), static_cast<int>(Suffix.size()), O_CLOEXEC);
    if (descriptor < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    ::close(descriptor); // the image tool replaces the file; the run removes it
    const qsizetype nameStart = outputFolder.size() + 1;
    return path.mid(nameStart, path.size() - nameStart - Suffix.size());
}

} // namespace plenwick
