#include "percentencoding.h"

#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

// The characters a URL's host may hold as they are, written out apart from the encoder's own test.
const QByteArray HostAllowed = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
                               "-._~!$&'()*+,;=:[]";

TEST(PercentEncodingTest, EveryAsciiCharacterStaysOnlyWhenTheHostAllowsIt) {
    for (int code = 0; code < 0x80; ++code) {
        const QChar character(code);
        const QString expected =
            HostAllowed.contains(static_cast<char>(code))
                ? QString(character)
                : QStringLiteral("%%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
        EXPECT_EQ(percentEncodedForHost(QString(character)), expected) << "code " << code;
    }
}

TEST(PercentEncodingTest, EncodesEveryByteOfTheUtf8FormInUpperCase) {
    EXPECT_EQ(percentEncodedForHost(u"é"), QStringLiteral("%C3%A9"));
    EXPECT_EQ(percentEncodedForHost(u"€"), QStringLiteral("%E2%82%AC"));
    EXPECT_EQ(percentEncodedForHost(u"\U0001F600"), QStringLiteral("%F0%9F%98%80"));
    EXPECT_EQ(percentEncodedForHost(u"\u00FF"), QStringLiteral("%C3%BF"));
}

TEST(PercentEncodingTest, KeepsOrderAndLeavesAnEncodedTextToBeEncodedAgain) {
    EXPECT_EQ(percentEncodedForHost(u"a b%20c@d/e?f#g\"h"),
              QStringLiteral("a%20b%2520c%40d%2Fe%3Ff%23g%22h"));
    EXPECT_EQ(percentEncodedForHost(u""), QString());
}

} // namespace
} // namespace plenwick::test
