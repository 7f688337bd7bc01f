#include "conversionwindow.h"
#include "folderbookmarks.h"
#include "testpictures.h"

#include <QDropEvent>
#include <QMimeData>
#include <sys/stat.h>

namespace plenwick::test {
namespace {

using namespace Qt::Literals::StringLiterals;

// Drops go through Qt's own drag-enter and drop events on the real window.
class FolderDropTest : public ConversionWindow {
protected:
    void SetUp() override {
        output = folder(u"out"_s);
        source = folder(u"in"_s);
        writeText(QDir(source).filePath(u"notes.txt"_s));
    }

    // Drops the addresses on the window; whether the window took the drag.
    bool drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QWidget& target = window.interface->mainWindow();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &dropped);
        QTest::qWait(0); // the queued start
        waitForRunEnd();
        return true;
    }
    bool drop(const QString& path) { return drop({QUrl::fromLocalFile(path)}); }

    [[nodiscard]] QString onlyAlertText() const {
        EXPECT_EQ(window.desktop.alerts.size(), 1U);
        return window.desktop.alerts.empty() ? QString()
                                             : window.desktop.alerts.front().alert.informativeText;
    }

    QString output;
    QString source;
};

TEST_F(FolderDropTest, AFolderDroppedAfterTheOutputFolderStartsTheRunWithIt) {
    chooseOutputFolder(output);
    window.desktop.alerts.clear();

    ASSERT_TRUE(drop(source));

    EXPECT_TRUE(window.desktop.alerts.empty());
    ASSERT_EQ(window.desktop.openedUrls.size(), 1U);
    EXPECT_EQ(window.desktop.openedUrls.front(), QUrl::fromLocalFile(output));
    EXPECT_EQ(storedItem(Settings::SourceFolderBookmark), source);
    EXPECT_EQ(window.desktop.choosers.size(), 1U) << "no source chooser";
}

TEST_F(FolderDropTest, WhatCannotBeTheSourceIsRefusedWithTheReason) {
    chooseOutputFolder(output);
    const QString file = QDir(source).filePath(u"notes.txt"_s);
    const QString locked = folder(u"locked"_s);
    ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0), 0);
    const bool privileged = ::access(QFile::encodeName(locked).constData(), R_OK) == 0;

    struct Case final {
        QList<QUrl> urls;
        QString reason;
    };
    std::vector<Case> cases{
        {{QUrl::fromLocalFile(file)}, ExpectedTexts::dropNotAFolder(file)},
        {{QUrl(u"https://example.org/photos/"_s)},
         ExpectedTexts::dropNotAFolder(u"https://example.org/photos/"_s)},
        {{QUrl::fromLocalFile(source), QUrl::fromLocalFile(output)}, ExpectedTexts::DropNotOneItem},
    };
    if (!privileged) // root lists any folder
        cases.push_back({{QUrl::fromLocalFile(locked)}, ExpectedTexts::dropNotReadable(locked)});
    for (const Case& refused : cases) {
        window.desktop.alerts.clear();
        window.desktop.answerAlert(AlertButton::First);
        ASSERT_TRUE(drop(refused.urls));
        EXPECT_EQ(onlyAlertText(), refused.reason);
        EXPECT_EQ(window.desktop.alerts.front().alert.messageText, ExpectedTexts::DropRefusedTitle);
    }
    ::chmod(QFile::encodeName(locked).constData(), 0700);

    // The output folder itself gets the chooser's own refusal.
    window.desktop.alerts.clear();
    window.desktop.answerAlert(AlertButton::First);
    ASSERT_TRUE(drop(output));
    EXPECT_EQ(onlyAlertText(), ExpectedTexts::OverwriteProtection);

    EXPECT_TRUE(window.desktop.tools.commands().empty());
    EXPECT_TRUE(window.desktop.openedUrls.empty());
    EXPECT_FALSE(stored(Settings::SourceFolderBookmark).isValid());
    EXPECT_TRUE(form().startB->isEnabled()) << "the window is still ready for a run";
}

TEST_F(FolderDropTest, BeforeAnOutputFolderIsChosenADropOnlyExplains) {
    window.desktop.answerAlert(AlertButton::First);
    ASSERT_TRUE(drop(source));

    EXPECT_EQ(onlyAlertText(), ExpectedTexts::DropBeforeOutputFolder);
    EXPECT_TRUE(window.desktop.choosers.empty());
    EXPECT_TRUE(window.desktop.openedUrls.empty());
}

} // namespace
} // namespace plenwick::test
