#include "loadedinterface.h"
#include "plenwickapp.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

// A text entered in one edit, as pasting does, or typed key by key, and what the field shows.
struct Entry {
    const char16_t* text;
    const char16_t* shown;
    bool typed = false;
};

void PrintTo(const Entry& entry, std::ostream* out) {
    *out << QString::fromUtf16(entry.text).toStdString() << (entry.typed ? " typed" : " pasted");
}

class DpiFieldTest : public testing::TestWithParam<Entry> {
protected:
    DpiFieldTest()
        : field(loadedField(window)) {}

    static QLineEdit& loadedField(LoadedInterface& interface) {
        interface.load();
        return *interface.form().dpi;
    }

    void SetUp() override {
        field.setEnabled(true);
        field.setFocus();
    }

    void replaceTextBy(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    }

    LoadedInterface window;
    QLineEdit& field;
};

// Every edit is clamped at once, so what stands in the field is always a valid DPI.
TEST_P(DpiFieldTest, ClampsAnEnteredTextToOneTo4000) {
    replaceTextBy(QStringLiteral("300"));
    if (GetParam().typed) {
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&field, Qt::Key_Backspace);
        EXPECT_EQ(field.text(), QStringLiteral("1")) << "an emptied field";
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&field, QString::fromUtf16(GetParam().text));
    } else {
        replaceTextBy(QString::fromUtf16(GetParam().text));
    }
    EXPECT_EQ(field.text(), QString::fromUtf16(GetParam().shown));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, DpiFieldTest, testing::Values(
    Entry{u"0", u"1"}, Entry{u"-5", u"1"}, Entry{u"abc", u"1"}, Entry{u"12abc", u"12"},
    Entry{u"007", u"7"}, Entry{u"  300", u"300"}, Entry{u"4000", u"4000"},
    Entry{u"4001", u"4000"}, Entry{u"99999999999", u"4000"}, Entry{u"-99999999999", u"1"},
    Entry{u"\t+7 px", u"7"}, Entry{u"--3", u"1"}, Entry{u"2147483647", u"4000"},
    Entry{u"-2147483648", u"1"},
    // beyond 64 bits: the reading must saturate, not wrap
    Entry{u"9223372036854775808", u"4000"}, Entry{u"18446744073709551617", u"4000"},
    Entry{u"-9223372036854775809", u"1"},
    Entry{u"\u0663\u0662", u"1"}, // ASCII digits only
    Entry{u"-5", u"5", true},       // "-" alone reads as 0: the 1 put there is replaced
    Entry{u"4001", u"4000", true}, Entry{u"99999999999", u"4000", true},
    Entry{u"12abc", u"12", true}, Entry{u"abc", u"1", true}));
// clang-format on

// The emptied field shows 1, selected, so that typing a new value replaces it.
TEST_F(DpiFieldTest, TypingIntoTheEmptiedFieldReplacesItsOne) {
    replaceTextBy(QStringLiteral("300"));
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.selectedText(), QStringLiteral("1"));
    QTest::keyClicks(&field, QStringLiteral("600"));
    EXPECT_EQ(field.text(), QStringLiteral("600"));
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), QStringLiteral("6")) << "a value the user typed is not selected";
    EXPECT_FALSE(field.hasSelectedText());
}

TEST_F(DpiFieldTest, ProgrammaticTextAndOtherFieldsAreLeftAlone) {
    QLineEdit other;
    other.setText(QStringLiteral("abc"));
    field.setText(QStringLiteral("abc")); // not a user edit
    window.controller().controlTextDidChange(&other);
    EXPECT_EQ(other.text(), QStringLiteral("abc"));
    EXPECT_EQ(field.text(), QStringLiteral("abc"));
}

} // namespace
} // namespace plenwick::test
