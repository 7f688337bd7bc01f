#include "intvalue.h"

#include <QString>
#include <gtest/gtest.h>
#include <limits>

namespace plenwick {
namespace {

struct Reading {
    const char16_t* text;
    int value;
};

class IntValueTest : public testing::TestWithParam<Reading> {};

TEST_P(IntValueTest, ReadsLikeATextField) {
    EXPECT_EQ(intValue(QStringView(GetParam().text)), GetParam().value)
        << QString::fromUtf16(GetParam().text).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IntValueTest,
    testing::Values(Reading{u"", 0}, Reading{u"abc", 0}, Reading{u"-", 0}, Reading{u"+7", 7},
                    Reading{u"  42", 42}, Reading{u"\t-5", -5}, Reading{u"12abc", 12},
                    Reading{u"007", 7}, Reading{u"1 2", 1}, Reading{u"--3", 0},
                    Reading{u"2147483647", std::numeric_limits<int>::max()},
                    Reading{u"2147483648", std::numeric_limits<int>::max()},
                    Reading{u"99999999999999999999999", std::numeric_limits<int>::max()},
                    Reading{u"-2147483648", std::numeric_limits<int>::min()},
                    Reading{u"-99999999999", std::numeric_limits<int>::min()},
                    Reading{u"\u0663", 0})); // only ASCII digits count

} // namespace
} // namespace plenwick
