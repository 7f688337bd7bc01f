#pragma once

#include "userdefaults.h"

#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace plenwick::test {

// A real settings file in a temporary folder, with a second, independent reader to see what
// reached the disk.
class TemporarySettings final {
public:
    TemporarySettings()
        : path(folder.filePath(QStringLiteral("plenwick.conf")))
        , defaults(std::make_unique<UserDefaults>(path)) {}

    [[nodiscard]] UserDefaults& userDefaults() { return *defaults; }
    [[nodiscard]] const QString& filePath() const { return path; }
    // What the file on disk holds under the key, read by a fresh reader.
    [[nodiscard]] QVariant onDisk(const QString& key) const {
        return QSettings(path, QSettings::IniFormat).value(key);
    }
    // Puts a value into the file, as an earlier run of the program would have.
    void store(const QString& key, const QVariant& value) {
        defaults->setObject(value, key);
        defaults->synchronize();
    }

private:
    QTemporaryDir folder;
    QString path;
    std::unique_ptr<UserDefaults> defaults;
};

} // namespace plenwick::test
