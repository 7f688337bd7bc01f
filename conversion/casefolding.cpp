#include "casefolding.h"

#include "scratchfile.h"

#include <QStringDecoder>
#include <fcntl.h>
#include <sys/stat.h>

namespace plenwick {

namespace {

QByteArray caseSwapped(QByteArray name) {
    for (char& character : name) {
        if (character >= 'a' && character <= 'z')
            character = static_cast<char>(character - 'a' + 'A');
        else if (character >= 'A' && character <= 'Z')
            character = static_cast<char>(character - 'A' + 'a');
    }
    return name;
}

} // namespace

bool foldsLetterCase(const OutputFolderPin& folder) {
    // A scratch file of the run's own: its name is fresh, and one a killed probe leaves is
    // cleared by the next run like any other.
    const std::variant<ScratchFile, QString> probe = ScratchFile::claim(folder);
    const ScratchFile* scratch = std::get_if<ScratchFile>(&probe);
    if (scratch == nullptr)
        return false;
    // Its name begins ".plenwick-", so the swapped name always differs. Some of these file
    // systems answer each name with an inode number of its own, so only being there counts.
    struct stat status {};
    return ::fstatat(folder.descriptor(), caseSwapped(scratch->base() + ".jp2").constData(),
                     &status, AT_SYMLINK_NOFOLLOW) == 0;
}

QByteArray caseFolded(const QByteArray& name) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(name);
    // Names that are no UTF-8 fold their ASCII letters only.
    if (decoder.hasError())
        return name.toLower();
    return text.toCaseFolded().toUtf8();
}

} // namespace plenwick
