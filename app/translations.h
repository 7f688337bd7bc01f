#pragma once

#include <QString>
#include <QTranslator>

namespace plenwick {

// The program's translations and Qt's own (standard buttons, dialogs, the command line parser's
// messages) for the user's language, in place for as long as this lives. English is the program's
// own language and loads nothing. Made after the application object.
class Translations final {
public:
    Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // Where the program's .qm files lie, found from the program's own place: the installed
    // share folder beside its bin folder, or the top of the build tree. Empty when neither exists.
    [[nodiscard]] static QString folder();

private:
    QTranslator program;
    QTranslator qt;
};

} // namespace plenwick
