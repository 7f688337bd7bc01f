#pragma once

#include "settingskeys.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <optional>

namespace plenwick {

// The program's user defaults: one settings file. Every write is durable before its setter
// returns, so no caller can forget to synchronize; a setter answers false when the file could
// not be written.
class UserDefaults final {
public:
    // The default settings file under the XDG configuration folder.
    UserDefaults();
    // A settings file at the given path (tests point this at a temporary folder).
    explicit UserDefaults(const QString& filePath);

    [[nodiscard]] bool flag(const FlagSetting& setting) const;
    bool setFlag(const FlagSetting& setting, bool value);
    [[nodiscard]] std::optional<QByteArray> bytes(const BytesSetting& setting) const;
    bool setBytes(const BytesSetting& setting, const QByteArray& value);

private:
    bool synchronize();

    QSettings settings;
};

} // namespace plenwick
