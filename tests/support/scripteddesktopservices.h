#pragma once

#include "desktopservices.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace plenwick::test {

// A desktop that answers modal requests from a script and records every request, in order. Shell
// commands, file removals and event passes are carried out for real, so that whole runs can be
// checked.
class ScriptedDesktopServices final : public DesktopServices {
public:
    struct AlertAnswer final {
        int code = AlertFirstButtonReturn;
        // The suppression check box's state when the alert closes; unset keeps what it showed.
        std::optional<bool> suppressionChecked;
    };
    struct RecordedAlert final {
        Alert alert;                  // as it was when it ran
        bool suppressionShownChecked; // the check box's state when it appeared
        int answer;
    };

    void answerAlert(AlertAnswer answer) { alertAnswers.push_back(answer); }
    void answerAlert(int code) { alertAnswers.push_back({code, std::nullopt}); }
    void answerChooser(FolderChoice choice) { chooserAnswers.push_back(std::move(choice)); }

    int runAlert(Alert& alert) override;
    FolderChoice runFolderChooser(const FolderChooser& chooser) override;
    void openUrl(const QUrl& url) override;
    void beep() override;
    void pumpEventsOnce() override;
    void runEventLoopFor(int milliseconds) override;
    ToolRun runCommand(const QByteArray& commandLine) override;
    bool removeFile(const QByteArray& path) override;
    void setActivationPolicy(ActivationPolicy policy) override {
        log.append(QStringLiteral("policy ") + QString::number(static_cast<int>(policy)));
    }
    void activateApplication() override { log.append(QStringLiteral("activate")); }
    void terminate() override;

    // Every request in order, one line each: "alert <message>", "chooser <title>",
    // "open <url>", "beep", "pump", "run-loop <ms>", "shell <command>", "remove <path>",
    // "policy <0|1>", "activate", "terminate".
    QStringList log;
    std::vector<RecordedAlert> alerts;
    std::vector<FolderChooser> choosers;
    std::vector<QUrl> openedUrls;
    std::vector<QByteArray> commands;
    // A command of the test's own in place of a step it answers for, to fault that step.
    std::function<std::optional<QByteArray>(const QByteArray&)> replaceStep;
    // Called at each event pass before the events are handled, to look at what the program
    // did up to there.
    std::function<void()> beforeEachPump;
    int beeps = 0;
    bool terminated = false;

    [[nodiscard]] bool allAnswersUsed() const {
        return alertAnswers.empty() && chooserAnswers.empty();
    }

private:
    std::deque<AlertAnswer> alertAnswers;
    std::deque<FolderChoice> chooserAnswers;
};

} // namespace plenwick::test
