#include "userdefaults.h"

namespace plenwick {

UserDefaults::UserDefaults()
    : settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("plenwick"),
               QStringLiteral("plenwick")) {}

UserDefaults::UserDefaults(const QString& filePath)
    : settings(filePath, QSettings::IniFormat) {}

bool UserDefaults::flag(const FlagSetting& setting) const {
    bool isNumber = false;
    const qint64 stored = settings.value(setting.storedName.toString()).toLongLong(&isNumber);
    const qint64 otherValue = setting.fallback ? 0 : 1;
    return isNumber && stored == otherValue ? !setting.fallback : setting.fallback;
}

bool UserDefaults::setFlag(const FlagSetting& setting, bool value) {
    settings.setValue(setting.storedName.toString(), qint64{value ? 1 : 0});
    return synchronize();
}

std::optional<QByteArray> UserDefaults::bytes(const BytesSetting& setting) const {
    const QVariant stored = settings.value(setting.storedName.toString());
    if (!stored.isValid() || stored.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return stored.toByteArray();
}

bool UserDefaults::setBytes(const BytesSetting& setting, const QByteArray& value) {
    settings.setValue(setting.storedName.toString(), value);
    return synchronize();
}

bool UserDefaults::synchronize() {
    settings.sync(); // QSettings commits through a temporary file and a rename
    return settings.status() == QSettings::NoError;
}

} // namespace plenwick
