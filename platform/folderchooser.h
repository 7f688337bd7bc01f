#pragma once

#include <QString>

namespace plenwick {

// A chooser's answer of 1 means "confirmed"; anything else is a cancel.
inline constexpr int ChooserConfirmed = 1;
inline constexpr int ChooserCancelled = 0;

struct FolderChooser final {
    QString title;
    QString prompt;
    bool canChooseDirectories = false;
    bool canCreateDirectories = false;
};

struct FolderChoice final {
    int result = ChooserCancelled;
    // The folder the chooser was showing when the user confirmed.
    QString directoryPath;
    // What the user selected; differs from directoryPath for an item highlighted but not opened.
    QString chosenPath;
};

} // namespace plenwick
