#pragma once

#include "batchplan.h"
#include "desktopservices.h"
#include "picturejob.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

namespace plenwick {

class BatchEngine;

// How a run ended, for the window's end-of-run notification and alert.
struct RunEnd final {
    qsizetype pictureCount = 0;
    qsizetype converted = 0;
    std::vector<PictureOutcome> failures;         // in listing order
    std::vector<PictureOutcome> notedConversions; // in listing order
};

// One batch run off the window's thread, reported to the window's thread as signals.
class RunController final : public QObject {
    Q_OBJECT

public:
    explicit RunController(DesktopServices& services, QObject* parent = nullptr);
    ~RunController() override;

    // Returns at once; progressMoved(entries, 0) comes first and ended() last.
    void start(BatchPlan plan, qint64 dpi);
    [[nodiscard]] bool isRunning() const { return batch != nullptr; }
    // From the next picture on.
    void setDpi(qint64 dpi);
    // The pictures being converted are finished, then the run ends as usual.
    void requestStop();
    // Running tools and their scratch files are gone when this returns.
    void abort();

Q_SIGNALS:
    void progressMoved(int maximum, int value);
    void progressTextChanged(const QString& text);
    void ended(const plenwick::RunEnd& end);

private:
    void finish();

    DesktopServices& services;
    std::unique_ptr<BatchEngine> batch; // while a run converts
};

// The end-of-run alert: the pictures that got no copy, then those converted with a note.
[[nodiscard]] Alert runReport(const RunEnd& end);

} // namespace plenwick
