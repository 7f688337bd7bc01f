#include "printabletext.h"

namespace plenwick {

namespace {

// The marks and embeddings that reorder the text around them: a name holding one could show
// another name, or move the reason before it.
bool isBidiControl(char16_t code) {
    return code == 0x200e || code == 0x200f || (code >= 0x202a && code <= 0x202e) ||
           (code >= 0x2066 && code <= 0x2069);
}

} // namespace

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
        else if (isBidiControl(code))
            printable += QStringLiteral("\\u%1").arg(static_cast<uint>(code), 4, 16, QChar(u'0'));
        else
            printable += c;
    }
    return printable;
}

} // namespace plenwick
