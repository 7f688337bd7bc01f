#pragma once

#include <QString>
#include <optional>

namespace plenwick {

// Claims a fresh, hidden base name for the intermediate JPEG 2000 file in the output folder: the
// file "<base>.jp2" is created empty so no other file can take the name, and no file of the
// user's is ever used. Nothing when the folder cannot be written.
[[nodiscard]] std::optional<QString> claimScratchName(const QString& outputFolder);

} // namespace plenwick
