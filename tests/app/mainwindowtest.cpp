#include "buttonstate.h"
#include "harrowfenpanel.h"
#include "loadedinterface.h"
#include "plenwickapp.h"

#include <QAccessible>
#include <QTimer>
#include <gtest/gtest.h>

namespace plenwick::test {
namespace {

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override { window.load(); }
    LoadedInterface window;
};

TEST_F(MainWindowTest, StartsWaitingForAnOutputFolder) {
    const Ui::MainWindow& form = window.form();
    EXPECT_EQ(form.outfolderB->text(), QStringLiteral("Select Destination (output) Folder First"));
    EXPECT_FALSE(form.startB->isEnabled());
    EXPECT_FALSE(form.dpi->isEnabled());
    EXPECT_TRUE(form.outfolderB->isEnabled());
    EXPECT_FALSE(form.coverB->isVisible());
    EXPECT_FALSE(form.progressBar->isVisible());
    EXPECT_TRUE(window.interface->mainWindow().isVisible());
}

TEST_F(MainWindowTest, ClosingTheWindowEndsTheEventLoop) {
    QTimer::singleShot(0, &window.interface->mainWindow(), &QWidget::close);
    QTimer watchdog;
    bool timedOut = false;
    QObject::connect(&watchdog, &QTimer::timeout, &watchdog, [&timedOut] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    watchdog.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(timedOut);
    EXPECT_TRUE(window.desktop.terminated);
}

TEST_F(MainWindowTest, WhatIsDpiOpensTheArticleAndThenBeeps) {
    window.form().whatisDPIButton->click();
    ASSERT_EQ(window.desktop.openedUrls.size(), 1U);
    const QUrl& page = window.desktop.openedUrls.front();
    EXPECT_EQ(page.scheme(), QStringLiteral("http"));
    EXPECT_EQ(page.path(), QStringLiteral("/wiki/Dots_per_inch"));
    EXPECT_EQ(window.desktop.log.last(), QStringLiteral("beep"));
    EXPECT_EQ(window.desktop.beeps, 1);
}

TEST_F(MainWindowTest, ButtonPressedTurnsBothButtonsOnAndNothingElse) {
    Ui::MainWindow& form = window.form();
    setButtonState(*form.startB, ButtonState::Off);
    setButtonState(*form.outfolderB, ButtonState::Off);
    const QString title = form.outfolderB->text();
    const int pumpsBefore = window.desktop.pumps;

    window.controller().buttonPressed(nullptr);

    EXPECT_EQ(buttonState(*form.startB), ButtonState::On);
    EXPECT_EQ(buttonState(*form.outfolderB), ButtonState::On);
    EXPECT_EQ(window.desktop.pumps, pumpsBefore + 1);
    EXPECT_EQ(form.outfolderB->text(), title);
    EXPECT_FALSE(form.startB->isEnabled());
}

TEST_F(MainWindowTest, EveryControlIsNamedAndFocusableByKeyboard) {
    const Ui::MainWindow& form = window.form();
    const auto name = [](const QWidget* control) {
        return QAccessible::queryAccessibleInterface(const_cast<QWidget*>(control))
            ->text(QAccessible::Name);
    };
    const QWidget* controls[] = {form.dpi,       form.whatisDPIButton, form.outfolderB, form.startB,
                                 form.tipButton, form.infoButton,      form.progressBar};
    for (const QWidget* control : controls) {
        EXPECT_FALSE(name(control).isEmpty()) << control->objectName().toStdString();
        if (control != form.progressBar) {
            EXPECT_TRUE(control->focusPolicy() & Qt::TabFocus)
                << control->objectName().toStdString();
        }
    }
    const auto panelButtons = window.interface->panel().findChildren<QAbstractButton*>();
    ASSERT_FALSE(panelButtons.isEmpty());
    for (const QAbstractButton* button : panelButtons) {
        EXPECT_FALSE(name(button).isEmpty()) << button->objectName().toStdString();
        EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus) << button->objectName().toStdString();
    }
}

} // namespace
} // namespace plenwick::test
