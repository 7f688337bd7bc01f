#pragma once

#include <QString>
#include <QStringView>

namespace plenwick {

// Percent-encodes a text with the characters that may stand as they are in a URL's host: ASCII
// letters and digits, - . _ ~, the sub-delimiters ! $ & ' ( ) * + , ; = and : [ ]. Every other
// byte of the text's UTF-8 form becomes a percent sign and two upper-case hexadecimal digits.
[[nodiscard]] QString percentEncodedForHost(QStringView text);

// As for a host, but '&', '=' and '+' are encoded too: inside a mailto link's field value they
// would end the field, start a new one or read as a blank (RFC 6068).
[[nodiscard]] QString percentEncodedForMailtoField(QStringView text);

} // namespace plenwick
