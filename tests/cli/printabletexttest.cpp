#include "printabletext.h"

#include "qtprinters.h"

#include <gtest/gtest.h>

namespace plenwick {
namespace {

TEST(PrintableTextTest, EscapesEveryControlCharacterAndNothingElse) {
    const std::pair<const char16_t*, const char16_t*> rows[] = {
        {u"new\nline.jpg", u"new\\nline.jpg"},
        {u"del\x7f.jpg", u"del\\x7f.jpg"},
        {u"csi\x9b.jpg", u"csi\\x9b.jpg"},
        // bidirectional controls, which would show "photo\u202egpj.exe" as "photoexe.jpg"
        {u"\u202a\u202d|\u2066\u2069|\u200e\u200f",
         u"\\u202a\\u202d|\\u2066\\u2069|\\u200e\\u200f"},
        // their neighbours stay as they are: a joiner, separators, other format characters, and
        // letters
        {u"\u200d\u2029\u202f\u2065\u206a é", u"\u200d\u2029\u202f\u2065\u206a é"},
    };
    for (const auto& [text, printable] : rows)
        EXPECT_EQ(printableText(QString::fromUtf16(text)), QString::fromUtf16(printable));
}

} // namespace
} // namespace plenwick
