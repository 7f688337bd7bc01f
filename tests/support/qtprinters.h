#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <ostream>

// Readable failure messages for Qt values; found by GoogleTest through argument-dependent lookup.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '[' << texts.join(QStringLiteral(", ")).toStdString() << ']';
}

inline void PrintTo(const QUrl& url, std::ostream* out) {
    *out << url.toString().toStdString();
}

inline void PrintTo(const QVariant& value, std::ostream* out) {
    if (value.isValid())
        *out << value.typeName() << ' ' << value.toString().toStdString();
    else
        *out << "(none)";
}
