#include "harrowfenpanel.h"
#include "loadedinterface.h"

#include <QAccessible>
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
// text is named or described, in both windows. The output button's name once a folder is chosen
// is the bus test's.
TEST(AccessibleNamesTest, WhatEveryControlShowsIsWhatAssistiveTechnologyReads) {
    LoadedInterface window;
    window.load();

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
