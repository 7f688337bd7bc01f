#pragma once

#include <QAbstractButton>
#include <QString>

namespace plenwick {

// A button's title as plain text. Qt reads '&' in a button text as a mnemonic marker, so a title
// such as a folder path is stored with each '&' doubled. Assistive
// technology is given the title itself as the name: what the eye reads, the ear hears.
inline void setTitle(QAbstractButton& button, const QString& title) {
    QString text = title;
    button.setText(text.replace(u'&', QStringLiteral("&&")));
    button.setAccessibleName(title);
}

} // namespace plenwick
