#include "qtdesktopservices.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace plenwick {
namespace {

// Runs the real backend's alert and does to it, once it is up, what a user would.
AlertButton runAlertAndThen(Alert& alert, const std::function<void(QWidget&)>& user) {
    QTimer::singleShot(0, [&user] {
        QWidget* shown = QApplication::activeModalWidget();
        ASSERT_NE(shown, nullptr);
        user(*shown);
        shown->close(); // the alert ends even when a check stopped the user's part early
    });
    QtDesktopServices services;
    return services.runAlert(alert);
}

QPushButton* button(QWidget& alert, const QString& title) {
    for (QPushButton* candidate : alert.findChildren<QPushButton*>())
        if (candidate->text() == title)
            return candidate;
    return nullptr;
}

Alert threeButtons() {
    Alert alert;
    alert.messageText = QStringLiteral("<b>Folder</b> & more");
    alert.informativeText = QStringLiteral("/tmp/<i>x</i> %1");
    alert.buttons = {QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")};
    alert.titlebarAppearsTransparent = true;
    return alert;
}

TEST(AlertDialogTest, ButtonsAnswerInTheOrderAddedAndKeysPressTheFirstOrTheLast) {
    Alert alert = threeButtons();
    EXPECT_EQ(runAlertAndThen(
                  alert, [](QWidget& shown) { button(shown, QStringLiteral("second"))->click(); }),
              AlertButton::Second);
    EXPECT_EQ(runAlertAndThen(
                  alert, [](QWidget& shown) { button(shown, QStringLiteral("third"))->click(); }),
              AlertButton::Third);
    EXPECT_EQ(
        runAlertAndThen(alert, [](QWidget& shown) { QTest::keyClick(&shown, Qt::Key_Return); }),
        AlertButton::First);
    EXPECT_EQ(
        runAlertAndThen(alert, [](QWidget& shown) { QTest::keyClick(&shown, Qt::Key_Escape); }),
        AlertButton::Third);
    EXPECT_EQ(runAlertAndThen(alert, [](QWidget& shown) { shown.close(); }), AlertButton::Third);
}

// Paths and names are shown as they are, never read as markup; a screen reader hears both texts.
TEST(AlertDialogTest, ShowsItsTextsAsPlainTextAndNamesThemToAssistiveTechnology) {
    Alert alert = threeButtons();
    runAlertAndThen(alert, [&alert](QWidget& shown) {
        QStringList texts;
        for (const QLabel* label : shown.findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue; // the icon
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
            EXPECT_EQ(label->font().bold(), label->text() == alert.messageText);
            texts.append(label->text());
        }
        EXPECT_EQ(texts, (QStringList{alert.messageText, alert.informativeText}));
        const QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&shown);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->role(), QAccessible::AlertMessage);
        EXPECT_EQ(read->text(QAccessible::Name), alert.messageText);
        EXPECT_EQ(read->text(QAccessible::Description), alert.informativeText);
        EXPECT_TRUE(shown.windowTitle().isEmpty());
        QTest::keyClick(&shown, Qt::Key_Escape);
    });
}

// A failure list names pictures whose names may not wrap: none is cut off.
TEST(AlertDialogTest, ALongNameWidensTheAlertInsteadOfBeingCutOff) {
    Alert alert;
    alert.messageText = QStringLiteral("Some pictures were not converted");
    alert.informativeText = QString(70, u'x') + QStringLiteral(".jpg: not a picture");
    runAlertAndThen(alert, [&alert](QWidget& shown) {
        for (const QLabel* label : shown.findChildren<QLabel*>()) {
            if (label->text() == alert.informativeText) {
                EXPECT_GE(label->width(), label->minimumSizeHint().width());
            }
        }
    });
}

TEST(AlertDialogTest, ReportsTheSuppressionBoxAndGivesTheAccessoryViewBack) {
    QWidget owner;
    auto* view = new QLabel(QStringLiteral("tip picture"), &owner); // owned by owner
    Alert alert;
    alert.messageText = QStringLiteral("Tips");
    alert.buttons = {QStringLiteral("Got it")};
    alert.showsSuppressionButton = true;
    alert.suppressionChecked = true;
    alert.accessoryView = view;
    runAlertAndThen(alert, [view](QWidget& shown) {
        EXPECT_TRUE(view->isVisibleTo(&shown));
        auto* box = shown.findChild<QCheckBox*>();
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isChecked());
        box->setChecked(false);
        QTest::keyClick(&shown, Qt::Key_Return);
    });
    EXPECT_FALSE(alert.suppressionChecked);
    EXPECT_EQ(view->parentWidget(), &owner);
    EXPECT_FALSE(view->isVisibleTo(&owner));
}

} // namespace
} // namespace plenwick
