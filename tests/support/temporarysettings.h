#pragma once

#include "userdefaults.h"

#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace plenwick::test {

// A real settings file in a temporary folder, and a way to see what reached the disk.
class TemporarySettings final {
public:
    TemporarySettings()
        : path(folder.filePath(QStringLiteral("plenwick.conf")))
        , defaults(std::make_unique<UserDefaults>(path)) {}

    [[nodiscard]] UserDefaults& userDefaults() { return *defaults; }
    // What the file's bytes hold under the stored name. Read from a copy under another name: a
    // reader of the same path in this process would share values never written to disk.
    [[nodiscard]] QVariant onDisk(const QString& key) const {
        const QString copy = folder.filePath(QStringLiteral("on-disk-copy.conf"));
        QFile::remove(copy);
        QFile::copy(path, copy);
        return QSettings(copy, QSettings::IniFormat).value(key);
    }
    // Puts a value into the file, as an earlier run of the program would have.
    void store(const QString& key, const QVariant& value) {
        QSettings earlierRun(path, QSettings::IniFormat);
        earlierRun.setValue(key, value);
        earlierRun.sync();
    }
    void store(const auto& setting, const QVariant& value) {
        store(setting.storedName.toString(), value);
    }

private:
    QTemporaryDir folder;
    QString path;
    std::unique_ptr<UserDefaults> defaults;
};

} // namespace plenwick::test
