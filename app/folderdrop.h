#pragma once

#include <QString>
#include <variant>

class QMimeData;

namespace plenwick {

// Why something dropped on the window cannot be the source folder.
enum class DropRefusal {
    NotOneItem,  // nothing, or several items
    NotAFolder,  // a file, a link to one, a remote address, or nothing there at all
    NotReadable, // a folder whose entries cannot be listed
};

struct RefusedDrop final {
    DropRefusal reason;
    QString name; // the dropped item as the user knows it, for the reason's text
};

// Judges a drop as the source folder chooser's answer would be: one local folder that can be
// listed, else why not. Whether it is the output folder is the run's own check.
[[nodiscard]] std::variant<QString, RefusedDrop> droppedFolder(const QMimeData& data);

} // namespace plenwick
