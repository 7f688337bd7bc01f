#include "loadedinterface.h"
#include "plenwickapp.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

struct Entry {
    QString text;
    QString shown;
};

void PrintTo(const Entry& entry, std::ostream* out) {
    *out << '"' << entry.text.toStdString() << '"';
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

// A whole text entered in one edit, as pasting does.
TEST_P(DpiFieldTest, ClampsAnEnteredTextToOneTo4000) {
    replaceTextBy(GetParam().text);
    EXPECT_EQ(field.text(), GetParam().shown) << "entered " << GetParam().text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DpiFieldTest,
    testing::Values(Entry{QStringLiteral("0"), QStringLiteral("1")},
                    Entry{QStringLiteral("-5"), QStringLiteral("1")},
                    Entry{QStringLiteral("abc"), QStringLiteral("1")},
                    Entry{QStringLiteral("12abc"), QStringLiteral("12")},
                    Entry{QStringLiteral("007"), QStringLiteral("7")},
                    Entry{QStringLiteral("  300"), QStringLiteral("300")},
                    Entry{QStringLiteral("4000"), QStringLiteral("4000")},
                    Entry{QStringLiteral("4001"), QStringLiteral("4000")},
                    Entry{QStringLiteral("99999999999"), QStringLiteral("4000")},
                    Entry{QStringLiteral("-99999999999"), QStringLiteral("1")},
                    Entry{QStringLiteral("\t+7 px"), QStringLiteral("7")},
                    Entry{QStringLiteral("--3"), QStringLiteral("1")},
                    Entry{QStringLiteral("2147483647"), QStringLiteral("4000")},
                    Entry{QStringLiteral("-2147483648"), QStringLiteral("1")},
                    Entry{QString::fromUtf16(u"\u0663\u0662"),
                          QStringLiteral("1")})); // ASCII digits only

// Every keystroke is clamped at once, so what stands in the field is always a valid DPI.
TEST_F(DpiFieldTest, ClampsAfterEveryKeystroke) {
    replaceTextBy(QStringLiteral("300"));
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), QStringLiteral("1")) << "an emptied field";

    const std::pair<const char*, const char*> typing[] = {
        {"-5", "15"}, // "-" alone reads as 0 and becomes 1 before the 5 arrives
        {"4001", "4000"},
        {"99999999999", "4000"},
        {"12abc", "12"},
        {"abc", "1"}};
    for (const auto& [typed, shown] : typing) {
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&field, QString::fromLatin1(typed));
        EXPECT_EQ(field.text(), QString::fromLatin1(shown)) << "typed " << typed;
    }
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
