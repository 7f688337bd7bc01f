#pragma once

#include <QStringView>

namespace plenwick {

// A stored yes or no, written as the whole number 1 or 0. Only the number of the value that is not
// the fallback reads as that value; an absent entry, another number or text reads as the fallback,
// as earlier versions read their own files.
struct FlagSetting final {
    QStringView storedName;
    bool fallback;
};

// Stored bytes, a bookmark; an absent entry or one that holds no bytes reads as none.
struct BytesSetting final {
    QStringView storedName;
};

// Every user default of the program, typed, each stored name written once. The stored names and
// their formats are fixed by files that earlier versions wrote.
namespace Settings {
inline constexpr FlagSetting StartupNoticeSuppressed{u"iStatement", false};
inline constexpr BytesSetting OutputFolderBookmark{u"iDataD"};
inline constexpr BytesSetting SourceFolderBookmark{u"iDataS"};
inline constexpr FlagSetting FirstLaunchDone{u"firstTime", false};
inline constexpr FlagSetting DockIconShown{u"iDock", true};
} // namespace Settings

} // namespace plenwick
