#pragma once

#include <QByteArray>
#include <QString>
#include <variant>

namespace plenwick {

// Claims a fresh, hidden base name for the intermediate JPEG 2000 file in the output folder: the
// file "<base>.jp2" is created empty so no other file can take the name, and no file of the
// user's is ever used. When the folder cannot be written: the system's reason.
[[nodiscard]] std::variant<QByteArray, QString> claimScratchName(const QByteArray& outputFolder);

} // namespace plenwick
