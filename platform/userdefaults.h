#pragma once

#include "settingskeys.h"

#include <QSettings>
#include <QString>
#include <QVariant>

namespace plenwick {

// The program's user defaults: one settings file. Every setter is followed by synchronize() at
// its caller, as each write must be durable before the program goes on.
class UserDefaults final {
public:
    // The default settings file under the XDG configuration folder.
    UserDefaults();
    // A settings file at the given path (tests point this at a temporary folder).
    explicit UserDefaults(const QString& filePath);

    [[nodiscard]] QVariant objectForKey(SettingsKey key) const;
    void setObject(const QVariant& value, SettingsKey key);
    // 0 when the key is absent or holds no whole number.
    [[nodiscard]] qint64 integerForKey(SettingsKey key) const;
    void setInteger(qint64 value, SettingsKey key);
    // Writes pending changes to disk; false when the file could not be written.
    bool synchronize();

private:
    QSettings settings;
};

} // namespace plenwick
