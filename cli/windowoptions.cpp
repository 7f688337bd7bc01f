#include "windowoptions.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <array>
#include <optional>

namespace plenwick {

namespace {

struct WindowOption final {
    const char* name;
    const char* value; // nullptr for an option without a value
    const char* description;
};

// The options QApplication reads from the command line on Linux.
constexpr std::array<WindowOption, 14> WindowOptions{{
    {"platform", "platformName[:options]",
     QT_TRANSLATE_NOOP("CommandLine", "Window system plugin, such as xcb or wayland.")},
    {"platformpluginpath", "path",
     QT_TRANSLATE_NOOP("CommandLine", "Folder of further window system plugins.")},
    {"platformtheme", "theme", QT_TRANSLATE_NOOP("CommandLine", "Platform theme.")},
    {"plugin", "plugin",
     QT_TRANSLATE_NOOP("CommandLine", "Additional plugin to load, such as an input device's.")},
    {"display", "hostname:screen",
     QT_TRANSLATE_NOOP("CommandLine", "X display to open the window on.")},
    {"geometry", "geometry", QT_TRANSLATE_NOOP("CommandLine", "The window's place and size on X.")},
    {"qwindowgeometry", "geometry",
     QT_TRANSLATE_NOOP("CommandLine", "The window's place and size.")},
    {"qwindowicon", "icon", QT_TRANSLATE_NOOP("CommandLine", "The window's icon.")},
    {"qwindowtitle", "title", QT_TRANSLATE_NOOP("CommandLine", "The window's title.")},
    {"reverse", nullptr,
     QT_TRANSLATE_NOOP("CommandLine", "Lays the window out from right to left.")},
    {"session", "session", QT_TRANSLATE_NOOP("CommandLine", "Session to restore.")},
    {"style", "style", QT_TRANSLATE_NOOP("CommandLine", "Widget style, such as Fusion.")},
    {"stylesheet", "file", QT_TRANSLATE_NOOP("CommandLine", "Style sheet applied to the window.")},
    {"widgetcount", nullptr,
     QT_TRANSLATE_NOOP("CommandLine", "Prints how many widgets were left at the end.")},
}};

// The option an argument names, written `-name` or `--name` as Qt takes it.
const WindowOption* windowOption(const QString& argument) {
    if (!argument.startsWith(u'-'))
        return nullptr;
    const QString name = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
    for (const WindowOption& option : WindowOptions) {
        if (name == QLatin1StringView(option.name))
            return &option;
    }
    return nullptr;
}

// The value given to the option, the last one when it is given twice.
std::optional<QString> windowOptionValue(const QStringList& arguments, const char* name) {
    std::optional<QString> value;
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        const WindowOption* option = windowOption(arguments[i]);
        if (option != nullptr && qstrcmp(option->name, name) == 0)
            value = arguments[i + 1];
    }
    return value;
}

} // namespace

bool onlyWindowOptions(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        // Qt takes these two also as "-style=Fusion".
        if (argument.startsWith(QStringLiteral("-style=")) ||
            argument.startsWith(QStringLiteral("-stylesheet=")))
            continue;
        const WindowOption* option = windowOption(argument);
        if (option == nullptr)
            return false;
        if (option->value != nullptr && ++i == arguments.size())
            return false; // its value is missing: the command line says so
    }
    return true;
}

QString windowOptionsHelp() {
    QString help =
        QCoreApplication::translate("CommandLine", "\nQt's options for the window, given alone:\n");
    for (const WindowOption& option : WindowOptions) {
        QString synopsis = QStringLiteral("  -") + QLatin1StringView(option.name);
        if (option.value != nullptr)
            synopsis += QStringLiteral(" <") + QLatin1StringView(option.value) + u'>';
        help += synopsis.leftJustified(36) + u' ' +
                QCoreApplication::translate("CommandLine", option.description) + u'\n';
    }
    return help;
}

bool windowDisplayAvailable(const QStringList& arguments) {
    const bool x = !qEnvironmentVariableIsEmpty("DISPLAY") ||
                   windowOptionValue(arguments, "display").has_value();
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const QStringList platforms = windowOptionValue(arguments, "platform")
                                      .value_or(qEnvironmentVariable("QT_QPA_PLATFORM"))
                                      .split(u';', Qt::SkipEmptyParts);
    if (platforms.isEmpty())
        return x || wayland;
    for (const QString& platform : platforms) {
        const QString name = platform.section(u':', 0, 0);
        if (name == QStringLiteral("xcb")) {
            if (x)
                return true;
        } else if (name.startsWith(QStringLiteral("wayland"))) {
            if (wayland)
                return true;
        } else {
            return true; // offscreen, eglfs, vnc and the like need no display variable
        }
    }
    return false;
}

} // namespace plenwick
