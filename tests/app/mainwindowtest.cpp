#include "expectedtexts.h"
#include "loadedinterface.h"
#include "plenwickapp.h"

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
    EXPECT_EQ(form.outfolderB->text(), ExpectedTexts::SelectOutputFolderFirst);
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

} // namespace
} // namespace plenwick::test
