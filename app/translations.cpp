#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>

namespace plenwick {

QString Translations::folder() {
    const QDir program(QCoreApplication::applicationDirPath());
    const QString installed =
        program.filePath(QStringLiteral("../" PLENWICK_DATA_DIR "/plenwick/translations"));
    if (QFileInfo(installed).isDir())
        return QDir::cleanPath(installed);
    // Programs of the build tree, however deep, find them in the tree's top folder, which
    // CMake's cache marks.
    for (QDir folder = program;;) {
        if (folder.exists(QStringLiteral("CMakeCache.txt")))
            return folder.filePath(QStringLiteral("translations"));
        if (!folder.cdUp())
            return QString();
    }
}

Translations::Translations() {
    // An empty folder would make the loader read catalogues from the working folder.
    const QString catalogues = folder();
    if (catalogues.isEmpty())
        return;
    // The user's languages in order of preference; the first one the program speaks wins, and
    // English, its own, needs nothing loaded.
    for (const QString& name : QLocale().uiLanguages()) {
        const QLocale language(name);
        if (language.language() == QLocale::English)
            return;
        if (program.load(language, QStringLiteral("plenwick"), QStringLiteral("_"), catalogues)) {
            QCoreApplication::installTranslator(&program);
            if (qt.load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
                QCoreApplication::installTranslator(&qt);
            return;
        }
    }
}

} // namespace plenwick
