#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>
#include <signal.h>

namespace plenwick {

// Turns SIGTERM into a Qt signal. The handler itself ends every running tool at once (a tool
// must not outlive the program), then `received` is emitted from the event loop, where the
// program can unwind and quit. One instance at a time; the earlier handling returns with it.
class TerminationSignal final : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignal(QObject* parent = nullptr);
    ~TerminationSignal() override;
    TerminationSignal(const TerminationSignal&) = delete;
    TerminationSignal& operator=(const TerminationSignal&) = delete;

Q_SIGNALS:
    void received();

private:
    std::unique_ptr<QSocketNotifier> notifier;
    struct sigaction previous {};
};

} // namespace plenwick
