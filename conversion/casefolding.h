#pragma once

#include "outputfolderpin.h"

#include <QByteArray>

namespace plenwick {

// Whether the folder takes names that differ only in letter case for one name, as FAT, exFAT,
// NTFS and Windows shares do. Probed with a file of the run's own; false when nothing can be
// made there.
[[nodiscard]] bool foldsLetterCase(const OutputFolderPin& folder);

// The name with letter case folded, for comparing names in such a folder.
[[nodiscard]] QByteArray caseFolded(const QByteArray& name);

} // namespace plenwick
