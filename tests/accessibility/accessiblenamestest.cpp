#include "buttontitle.h"
#include "harrowfenpanel.h"
#include "loadedinterface.h"

#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

using namespace Qt::StringLiterals;

QString accessible(QObject* object, QAccessible::Text text) {
    return QAccessible::queryAccessibleInterface(object)->text(text);
}

// What the eye reads: "&x" shows an underlined x, "&&" one '&'; a closing ellipsis is no word.
QString visibleLabel(const QString& text) {
    QString label;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] == u'&' && at + 1 < text.size())
            ++at;
        label += text[at];
    }
    return label.endsWith(u'…') ? label.chopped(1) : label;
}

// Every button is reached by keyboard and its name holds the label it shows, and every label's
// text is named or described, in both windows, once an output folder whose path holds '&' was
// chosen.
TEST(AccessibleNamesTest, WhatEveryControlShowsIsWhatAssistiveTechnologyReads) {
    QTemporaryDir root;
    const QString folder = QDir(root.path()).filePath(u"Out & Co"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    LoadedInterface window;
    window.load();
    window.desktop.answerChooser({ChooserResult::Confirmed, folder, folder});
    window.desktop.answerAlert(AlertButton::First);
    window.form().outfolderB->click();
    ASSERT_EQ(accessible(window.form().outfolderB, QAccessible::Name), folder);

    for (QWidget* top : {static_cast<QWidget*>(&window.interface->mainWindow()),
                         static_cast<QWidget*>(&window.interface->panel())}) {
        for (auto* button : top->findChildren<QAbstractButton*>()) {
            if (button->objectName().startsWith(u"qt_"_s))
                continue; // Qt's own, such as the menu bar's overflow button
            const QString label = visibleLabel(button->text());
            EXPECT_FALSE(accessible(button, QAccessible::Name).isEmpty())
                << button->objectName().toStdString();
            EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus) << button->objectName().toStdString();
            EXPECT_TRUE(accessible(button, QAccessible::Name).contains(label))
                << button->objectName().toStdString() << " named "
                << accessible(button, QAccessible::Name).toStdString() << " shows "
                << label.toStdString();
        }
        for (auto* label : top->findChildren<QLabel*>()) {
            const QString text = visibleLabel(label->text());
            EXPECT_TRUE(accessible(label, QAccessible::Name).contains(text) ||
                        accessible(label, QAccessible::Description) == text)
                << label->objectName().toStdString() << " shows " << text.toStdString();
        }
    }
    EXPECT_TRUE(window.form().dpi->focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(accessible(window.form().dpi, QAccessible::Name).isEmpty());
    EXPECT_FALSE(accessible(window.form().progressBar, QAccessible::Name).isEmpty());
    const auto* version = window.interface->panel().findChild<QLabel*>(u"versionLabel"_s);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(accessible(const_cast<QLabel*>(version), QAccessible::Name), u"Version"_s);
}

TEST(AccessibleNamesTest, ATitleReplacesAnyNameTheLayoutGave) {
    QPushButton button;
    button.setAccessibleName(u"Output folder"_s);
    setTitle(button, u"/tmp/A & B"_s);
    EXPECT_EQ(accessible(&button, QAccessible::Name), u"/tmp/A & B"_s);
}

} // namespace
} // namespace plenwick::test
