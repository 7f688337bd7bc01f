#include "harrowfenpanel.h"
#include "loadedinterface.h"

#include <QAccessible>
#include <QDir>
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
// chosen: its title replaces any name the layout gave the button.
TEST(AccessibleNamesTest, WhatEveryControlShowsIsWhatAssistiveTechnologyReads) {
    QTemporaryDir root;
    const QString folder = QDir(root.path()).filePath(u"Out & Co"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    LoadedInterface window;
    window.load();
    window.desktop.answerChooser({ChooserResult::Confirmed, folder, folder});
    window.desktop.answerAlert(AlertButton::First);
    window.form().outfolderB->click();
    EXPECT_EQ(accessible(window.form().outfolderB, QAccessible::Name), folder);

    for (QWidget* top : {static_cast<QWidget*>(&window.interface->mainWindow()),
                         static_cast<QWidget*>(&window.interface->panel())}) {
        for (auto* button : top->findChildren<QAbstractButton*>()) {
            if (button->objectName().startsWith(u"qt_"_s))
                continue; // Qt's own, such as the menu bar's overflow button
            const QString name = accessible(button, QAccessible::Name);
            EXPECT_TRUE(!name.isEmpty() && name.contains(visibleLabel(button->text())) &&
                        (button->focusPolicy() & Qt::TabFocus))
                << button->objectName().toStdString() << " named " << name.toStdString();
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
}

} // namespace
} // namespace plenwick::test
