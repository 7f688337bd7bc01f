#pragma once

#include <QString>

namespace plenwick {

// Every user-defaults key of the program. Code names a key by this type, so a misspelt key cannot
// compile; the stored names are fixed by files that earlier versions wrote.
enum class SettingsKey {
    StartupNoticeSuppressed, // "iStatement": 1 when the startup notice is not to show by itself
    OutputFolderBookmark,    // "iDataD": bookmark of the confirmed output folder
    SourceFolderBookmark,    // "iDataS": bookmark of the latest source folder choice
    FirstLaunchDone,         // "firstTime": 1 once the first launch wrote its defaults
    DockIconShown,           // "iDock": 0 when the task-bar icon is hidden
};

[[nodiscard]] inline QString settingsKeyName(SettingsKey key) {
    switch (key) {
    case SettingsKey::StartupNoticeSuppressed:
        return QStringLiteral("iStatement");
    case SettingsKey::OutputFolderBookmark:
        return QStringLiteral("iDataD");
    case SettingsKey::SourceFolderBookmark:
        return QStringLiteral("iDataS");
    case SettingsKey::FirstLaunchDone:
        return QStringLiteral("firstTime");
    case SettingsKey::DockIconShown:
        return QStringLiteral("iDock");
    }
    return {};
}

} // namespace plenwick
