#pragma once

#include "batchengine.h"
#include "scripteddesktopservices.h"

#include <QEventLoop>
#include <QFile>
#include <dirent.h>
#include <functional>
#include <map>
#include <set>
#include <vector>

namespace plenwick::test {

// What one run reported, in the order the receiver got it.
struct RunReport final {
    BatchPlan plan;
    std::vector<qsizetype> entries;
    std::vector<BatchProgress> progress;
    std::vector<PictureOutcome> finished;
    std::map<QByteArray, QString> failed; // by name, with the reasons
};

// Runs the plan at 300 DPI on `workers` workers through the recorded tools and waits for the end
// of the run, handling its queued reports. `prepare` may connect to the engine before it starts.
// The engine is gone on return, and holds no output folder open.
inline RunReport runEngine(BatchPlan plan, ToolRecord& tools, int workers,
                           const std::function<void(BatchEngine&)>& prepare = {}) {
    RunReport report;
    BatchEngine engine(std::move(plan), workers,
                       [&tools] { return std::make_unique<RecordedBatchServices>(tools); });
    QObject::connect(&engine, &BatchEngine::entryReached, &engine,
                     [&](qsizetype index) { report.entries.push_back(index); });
    QObject::connect(&engine, &BatchEngine::progressChanged, &engine,
                     [&](const BatchProgress& progress) { report.progress.push_back(progress); });
    QObject::connect(&engine, &BatchEngine::pictureFinished, &engine,
                     [&](const PictureOutcome& outcome, qsizetype /*done*/) {
                         report.finished.push_back(outcome);
                     });
    if (prepare)
        prepare(engine);
    QEventLoop loop;
    QObject::connect(&engine, &BatchEngine::finished, &loop, &QEventLoop::quit);
    engine.start(300);
    loop.exec();
    for (const PictureOutcome& failure : engine.failures())
        report.failed.emplace(failure.name, failure.reason);
    report.plan = engine.plan();
    return report;
}

// Every name in a folder as the file system holds it, hidden ones included.
inline std::set<QByteArray> namesIn(const QString& folder) {
    std::set<QByteArray> names;
    DIR* directory = ::opendir(QFile::encodeName(folder).constData());
    if (directory == nullptr)
        return names;
    while (const dirent* entry = ::readdir(directory)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.insert(name);
    }
    ::closedir(directory);
    return names;
}

} // namespace plenwick::test
