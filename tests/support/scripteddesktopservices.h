#pragma once

#include "desktopservices.h"
#include "eventpump.h"
#include "toolprocess.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <vector>

namespace plenwick::test {

using namespace Qt::StringLiterals;

// The image tool's runs of a batch, from every worker, carried out for real: a test may put a
// command of its own in place of a step, to fault it. Read the record once the run is over.
class ToolRecord final {
public:
    // A command of the test's own in place of a step it answers for. Set it before a run.
    std::function<std::optional<QByteArray>(const QByteArray&)> replaceStep;

    [[nodiscard]] std::vector<QByteArray> commands() const {
        const std::lock_guard lock(mutex);
        return ran;
    }
    // The most commands that ran at one time.
    [[nodiscard]] int mostAtOnce() const {
        const std::lock_guard lock(mutex);
        return most;
    }
    void clear() {
        const std::lock_guard lock(mutex);
        ran.clear();
        most = 0;
    }

    ToolRun run(const QByteArray& commandLine, int workingFolder) {
        {
            const std::lock_guard lock(mutex);
            ran.push_back(commandLine);
            most = std::max(most, ++running);
        }
        const std::optional<QByteArray> replaced =
            replaceStep ? replaceStep(commandLine) : std::nullopt;
        ToolRun run =
            runToolCommand(replaced.value_or(commandLine), toolDirectory(), workingFolder);
        const std::lock_guard lock(mutex);
        --running;
        return run;
    }

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

// A desktop that answers modal requests from a script and logs every request, in order. Event
// passes, and what the batch's workers ask of the machine, are carried out for real, so that
// whole runs can be checked.
class ScriptedDesktopServices final : public DesktopServices {
public:
    // The button pressed, and the suppression check box's state when the alert closes (unset
    // keeps what it showed).
    void answerAlert(AlertButton code, std::optional<bool> suppressionChecked = std::nullopt) {
        alertAnswers.emplace_back(code, suppressionChecked);
    }
    void answerChooser(FolderChoice choice) { chooserAnswers.push_back(std::move(choice)); }
    [[nodiscard]] bool allAnswersUsed() const {
        return alertAnswers.empty() && chooserAnswers.empty();
    }
    // The log's lines of one kind ("open", "beep", ...).
    [[nodiscard]] QStringList logged(QStringView kind) const {
        QStringList lines;
        for (const QString& line : log) {
            if (line.section(u' ', 0, 0) == kind)
                lines.append(line);
        }
        return lines;
    }

    AlertButton runAlert(Alert& alert) override {
        log.append(u"alert "_s + alert.messageText);
        if (alertAnswers.empty())
            throw std::logic_error("an alert ran that the test did not expect: " +
                                   alert.messageText.toStdString());
        const auto [code, suppressionChecked] = alertAnswers.front();
        alertAnswers.pop_front();
        alerts.push_back(alert); // as it was when it ran
        alert.suppressionChecked = suppressionChecked.value_or(alert.suppressionChecked);
        return code;
    }
    FolderChoice runFolderChooser(const FolderChooser& chooser) override {
        log.append(u"chooser "_s + chooser.title);
        choosers.push_back(chooser);
        if (chooserAnswers.empty())
            throw std::logic_error("a chooser ran that the test did not expect: " +
                                   chooser.title.toStdString());
        FolderChoice choice = chooserAnswers.front();
        chooserAnswers.pop_front();
        return choice;
    }
    void openUrl(const QUrl& url) override {
        log.append(u"open "_s + url.toString(QUrl::FullyEncoded));
    }
    void beep() override { log.append(u"beep"_s); }
    void showNotification(const QString& summary, const QString& body) override {
        log.append(u"notify "_s + summary + u'\n' + body);
    }
    void pumpEventsOnce() override { plenwick::pumpEventsOnce(); }
    void runEventLoopFor(int milliseconds) override {
        log.append(u"run-loop "_s + QString::number(milliseconds));
        plenwick::runEventLoopFor(milliseconds);
    }
    std::unique_ptr<BatchServices> makeBatchServices() override {
        return std::make_unique<RecordedBatchServices>(tools);
    }
    void setActivationPolicy(ActivationPolicy policy) override {
        log.append(u"policy "_s + QString::number(static_cast<int>(policy)));
    }
    void activateApplication() override { log.append(u"activate"_s); }
    void terminate() override { log.append(u"terminate"_s); }

    // Every request in order, one line each: "alert <message>", "chooser <title>", "open <url>",
    // "beep", "run-loop <ms>", "policy <0|1>", "activate", "terminate",
    // "notify <summary>\n<body>".
    QStringList log;
    std::vector<Alert> alerts;
    std::vector<FolderChooser> choosers;
    ToolRecord tools;

private:
    std::deque<std::pair<AlertButton, std::optional<bool>>> alertAnswers;
    std::deque<FolderChoice> chooserAnswers;
};

} // namespace plenwick::test
