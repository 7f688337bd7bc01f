#include "scripteddesktopservices.h"

#include "toolprocess.h"

#include <algorithm>
#include <stdexcept>

namespace plenwick::test {

QStringList ScriptedDesktopServices::logged(QStringView kind) const {
    QStringList lines;
    for (const QString& line : log) {
        if (line.section(u' ', 0, 0) == kind)
            lines.append(line);
    }
    return lines;
}

AlertButton ScriptedDesktopServices::runAlert(Alert& alert) {
    record(u"alert ", alert.messageText);
    if (alertAnswers.empty())
        throw std::logic_error("an alert ran that the test did not expect: " +
                               alert.messageText.toStdString());
    const AlertAnswer answer = alertAnswers.front();
    alertAnswers.pop_front();
    alerts.push_back({alert, alert.suppressionChecked});
    alert.suppressionChecked = answer.suppressionChecked.value_or(alert.suppressionChecked);
    return answer.code;
}

FolderChoice ScriptedDesktopServices::runFolderChooser(const FolderChooser& chooser) {
    record(u"chooser ", chooser.title);
    choosers.push_back(chooser);
    if (chooserAnswers.empty())
        throw std::logic_error("a chooser ran that the test did not expect: " +
                               chooser.title.toStdString());
    FolderChoice choice = chooserAnswers.front();
    chooserAnswers.pop_front();
    return choice;
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

} // namespace plenwick::test
