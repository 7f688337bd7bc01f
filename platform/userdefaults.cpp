#include "userdefaults.h"

namespace plenwick {

UserDefaults::UserDefaults()
    : settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("plenwick"),
               QStringLiteral("plenwick")) {}

UserDefaults::UserDefaults(const QString& filePath)
    : settings(filePath, QSettings::IniFormat) {}

QVariant UserDefaults::objectForKey(SettingsKey key) const {
    return settings.value(settingsKeyName(key));
}

void UserDefaults::setObject(const QVariant& value, SettingsKey key) {
    settings.setValue(settingsKeyName(key), value);
}

qint64 UserDefaults::integerForKey(SettingsKey key) const {
    const QVariant value = settings.value(settingsKeyName(key));
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    return ok ? number : 0;
}

void UserDefaults::setInteger(qint64 value, SettingsKey key) {
    settings.setValue(settingsKeyName(key), value);
}

bool UserDefaults::synchronize() {
    settings.sync(); // QSettings commits through a temporary file and a rename
    return settings.status() == QSettings::NoError;
}

} // namespace plenwick
