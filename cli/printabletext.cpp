#include "printabletext.h"

namespace plenwick {

QString printableText(const QString& text) {
    QString printable;
    printable.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code == u'\n')
            printable += QStringLiteral("\\n");
        else if (code == u'\t')
            printable += QStringLiteral("\\t");
        else if (code < 0x20 || (code >= 0x7f && code < 0xa0))
            printable += QStringLiteral("\\x%1").arg(static_cast<uint>(code), 2, 16, QChar(u'0'));
        else
            printable += c;
    }
    return printable;
}

} // namespace plenwick
