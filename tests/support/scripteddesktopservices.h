#pragma once

#include "desktopservices.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace plenwick::test {

// The image tool's runs of a batch, from every worker, carried out for real: a test may put a
// command of its own in place of a step, to fault it. Read the record once the run is over.
class ToolRecord final {
public:
    // A command of the test's own in place of a step it answers for. Set it before a run.
    std::function<std::optional<QByteArray>(const QByteArray&)> replaceStep;

    [[nodiscard]] std::vector<QByteArray> commands() const;
    // The most commands that ran at one time.
    [[nodiscard]] int mostAtOnce() const;
    void clear();

    ToolRun run(const QByteArray& commandLine, int workingFolder);

private:
    mutable std::mutex mutex;
    std::vector<QByteArray> ran;
    int running = 0;
    int most = 0;
};

// A worker's batch services that run through a ToolRecord.
class RecordedBatchServices final : public BatchServices {
public:
    explicit RecordedBatchServices(ToolRecord& record)
        : record(record) {}
    ToolRun runCommand(const QByteArray& commandLine, int workingFolder) override {
        return record.run(commandLine, workingFolder);
    }

private:
    ToolRecord& record;
};

// A desktop that answers modal requests from a script and records every request, in order. Event
// passes, and what the batch's workers ask of the machine, are carried out for real, so that
// whole runs can be checked.
class ScriptedDesktopServices final : public DesktopServices {
public:
    struct AlertAnswer final {
        AlertButton code = AlertButton::First;
        // The suppression check box's state when the alert closes; unset keeps what it showed.
        std::optional<bool> suppressionChecked;
    };
    struct RecordedAlert final {
        Alert alert;                  // as it was when it ran
        bool suppressionShownChecked; // the check box's state when it appeared
        AlertButton answer;
    };

    void answerAlert(AlertAnswer answer) { alertAnswers.push_back(answer); }
    void answerAlert(AlertButton code) { alertAnswers.push_back({code, std::nullopt}); }
    void answerChooser(FolderChoice choice) { chooserAnswers.push_back(std::move(choice)); }

    AlertButton runAlert(Alert& alert) override;
    FolderChoice runFolderChooser(const FolderChooser& chooser) override;
    void openUrl(const QUrl& url) override;
    void beep() override;
    void showNotification(const QString& summary, const QString& body) override {
        log.append(QStringLiteral("notify ") + summary + u'\n' + body);
    }
    void pumpEventsOnce() override;
    void runEventLoopFor(int milliseconds) override;
    std::unique_ptr<BatchServices> makeBatchServices() override {
        return std::make_unique<RecordedBatchServices>(tools);
    }
    void setActivationPolicy(ActivationPolicy policy) override {
        log.append(QStringLiteral("policy ") + QString::number(static_cast<int>(policy)));
    }
    void activateApplication() override { log.append(QStringLiteral("activate")); }
    void terminate() override;

    // Every request in order, one line each: "alert <message>", "chooser <title>",
    // "open <url>", "beep", "pump", "run-loop <ms>", "policy <0|1>", "activate", "terminate",
    // "notify <summary>\n<body>".
    QStringList log;
    std::vector<RecordedAlert> alerts;
    std::vector<FolderChooser> choosers;
    std::vector<QUrl> openedUrls;
    ToolRecord tools;
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
