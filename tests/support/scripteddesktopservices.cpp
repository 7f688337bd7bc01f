#include "scripteddesktopservices.h"

#include "eventpump.h"
#include "toolprocess.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <stdexcept>
#include <unistd.h>

namespace plenwick::test {

AlertButton ScriptedDesktopServices::runAlert(Alert& alert) {
    log.append(QStringLiteral("alert ") + alert.messageText);
    if (alertAnswers.empty())
        throw std::logic_error("an alert ran that the test did not expect: " +
                               alert.messageText.toStdString());
    const AlertAnswer answer = alertAnswers.front();
    alertAnswers.pop_front();
    const bool shownChecked = alert.suppressionChecked;
    if (answer.suppressionChecked)
        alert.suppressionChecked = *answer.suppressionChecked;
    alerts.push_back({alert, shownChecked, answer.code});
    return answer.code;
}

FolderChoice ScriptedDesktopServices::runFolderChooser(const FolderChooser& chooser) {
    log.append(QStringLiteral("chooser ") + chooser.title);
    choosers.push_back(chooser);
    if (chooserAnswers.empty())
        throw std::logic_error("a chooser ran that the test did not expect: " +
                               chooser.title.toStdString());
    FolderChoice choice = chooserAnswers.front();
    chooserAnswers.pop_front();
    return choice;
}

void ScriptedDesktopServices::openUrl(const QUrl& url) {
    log.append(QStringLiteral("open ") + url.toString(QUrl::FullyEncoded));
    openedUrls.push_back(url);
}

void ScriptedDesktopServices::beep() {
    log.append(QStringLiteral("beep"));
    ++beeps;
}

// Event passes, shell commands and file removals are real: the window must redraw and a run
// must really convert.
void ScriptedDesktopServices::pumpEventsOnce() {
    log.append(QStringLiteral("pump"));
    if (beforeEachPump)
        beforeEachPump();
    plenwick::pumpEventsOnce();
}

void ScriptedDesktopServices::runEventLoopFor(int milliseconds) {
    log.append(QStringLiteral("run-loop ") + QString::number(milliseconds));
    plenwick::runEventLoopFor(milliseconds);
}

std::vector<QByteArray> ToolRecord::commands() const {
    const std::lock_guard lock(mutex);
    return ran;
}

int ToolRecord::mostAtOnce() const {
    const std::lock_guard lock(mutex);
    return most;
}

void ToolRecord::clear() {
    const std::lock_guard lock(mutex);
    ran.clear();
    most = 0;
}

ToolRun ToolRecord::run(const QByteArray& commandLine, int workingFolder) {
    {
        const std::lock_guard lock(mutex);
        ran.push_back(commandLine);
        most = std::max(most, ++running);
    }
    const std::optional<QByteArray> replaced =
        replaceStep ? replaceStep(commandLine) : std::nullopt;
    ToolRun run = runToolCommand(replaced.value_or(commandLine), toolDirectory(), workingFolder);
    const std::lock_guard lock(mutex);
    --running;
    return run;
}

void ScriptedDesktopServices::terminate() {
    log.append(QStringLiteral("terminate"));
    terminated = true;
    QCoreApplication::quit();
}

} // namespace plenwick::test
