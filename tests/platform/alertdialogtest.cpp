#include "qtdesktopservices.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace plenwick {
namespace {

// The real backend's alert, once it is up, gets what a user would do. Texts are shown whole and
// as they are, never read as markup (a failure list names pictures whose names may not wrap, and
// paths may look like markup), and a screen reader hears both. Buttons answer in the order added,
// keys press the first or the last; the suppression box's state comes back, and the accessory
// view goes back to its owner each time.
TEST(AlertDialogTest, ShowsEveryPartAndAnswersWithTheButtonTheBoxAndTheViewBack) {
    QWidget owner;
    auto* view = new QWidget(&owner); // owned by owner
    Alert alert;
    alert.messageText = QStringLiteral("<b>Folder</b> & more");
    alert.informativeText = QString(70, u'x') + QStringLiteral("/<i>x</i> %1.jpg: not a picture");
    alert.buttons = {QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")};
    alert.showsSuppressionButton = true;
    alert.suppressionChecked = true;
    alert.accessoryView = view;
    const auto readAndClickSecond = [&alert, view](QWidget& shown) {
        QStringList texts;
        for (const QLabel* label : shown.findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue; // the icon
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
            EXPECT_EQ(label->font().bold(), label->text() == alert.messageText);
            EXPECT_GE(label->width(), label->minimumSizeHint().width());
            texts.append(label->text());
        }
        EXPECT_EQ(texts, (QStringList{alert.messageText, alert.informativeText}));
        const QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&shown);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->role(), QAccessible::AlertMessage);
        EXPECT_EQ(read->text(QAccessible::Name), alert.messageText);
        EXPECT_EQ(read->text(QAccessible::Description), alert.informativeText);
        EXPECT_TRUE(shown.windowTitle().isEmpty());
        EXPECT_TRUE(view->isVisibleTo(&shown));
        auto* box = shown.findChild<QCheckBox*>();
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isChecked());
        box->setChecked(false);
        for (QPushButton* button : shown.findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("second"))
                button->click();
    };
    const std::pair<std::function<void(QWidget&)>, AlertButton> rows[] = {
        {readAndClickSecond, AlertButton::Second},
        {[](QWidget& shown) { QTest::keyClick(&shown, Qt::Key_Return); }, AlertButton::First},
        {[](QWidget& shown) { QTest::keyClick(&shown, Qt::Key_Escape); }, AlertButton::Third}};
    for (const auto& [user, answer] : rows) {
        QTimer::singleShot(0, [&user] {
            QWidget* shown = QApplication::activeModalWidget();
            ASSERT_NE(shown, nullptr);
            user(*shown);
            shown->close(); // the alert ends even when a check stopped the user's part early
        });
        QtDesktopServices services;
        EXPECT_EQ(services.runAlert(alert), answer);
        EXPECT_EQ(view->parentWidget(), &owner);
        EXPECT_FALSE(view->isVisibleTo(&owner));
    }
    EXPECT_FALSE(alert.suppressionChecked);
}

} // namespace
} // namespace plenwick
