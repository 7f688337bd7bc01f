#pragma once

#include <QString>

namespace plenwick {

// How a chooser closed; the values are the codes its callers know.
enum class ChooserResult { Cancelled = 0, Confirmed = 1 };

struct FolderChooser final {
    QString title;
    QString prompt;
    bool canChooseDirectories = false;
    bool canCreateDirectories = false;
};

struct FolderChoice final {
    ChooserResult result = ChooserResult::Cancelled;
    // The folder the chooser was showing when the user confirmed.
    QString directoryPath;
    // What the user selected; differs from directoryPath for an item highlighted but not opened.
    QString chosenPath;
};

} // namespace plenwick
