#include "percentencoding.h"

#include <QByteArray>

namespace plenwick {

namespace {

bool isHostAllowed(unsigned char byte) {
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9'))
        return true;
    switch (byte) {
    case '-':
    case '.':
    case '_':
    case '~':
    case '!':
    case '$':
    case '&':
    case '\'':
    case '(':
    case ')':
    case '*':
    case '+':
    case ',':
    case ';':
    case '=':
    case ':':
    case '[':
    case ']':
        return true;
    default:
        return false;
    }
}

bool isMailtoFieldAllowed(unsigned char byte) {
    return byte != '&' && byte != '=' && byte != '+' && isHostAllowed(byte);
}

QString percentEncoded(QStringView text, bool (*keeps)(unsigned char)) {
    static constexpr char HexDigits[] = "0123456789ABCDEF";
    const QByteArray utf8 = text.toUtf8();
    QString encoded;
    encoded.reserve(utf8.size() * 3);
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (keeps(byte)) {
            encoded.append(QLatin1Char(c));
        } else {
            encoded.append(u'%');
            encoded.append(QLatin1Char(HexDigits[byte >> 4]));
            encoded.append(QLatin1Char(HexDigits[byte & 0x0F]));
        }
    }
    return encoded;
}

} // namespace

QString percentEncodedForHost(QStringView text) {
    return percentEncoded(text, isHostAllowed);
}

QString percentEncodedForMailtoField(QStringView text) {
    return percentEncoded(text, isMailtoFieldAllowed);
}

} // namespace plenwick
