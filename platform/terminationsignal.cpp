#include "terminationsignal.h"

#include "toolprocess.h"

#include <array>
#include <sys/socket.h>
#include <unistd.h>

namespace plenwick {

namespace {

// [0] is written by the handler, [1] read by the event loop.
std::array<int, 2> wakeUp{-1, -1};

extern "C" void onTermination(int /*signalNumber*/) {
    endRunningTools();
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeUp[0], &byte, 1);
}

} // namespace

TerminationSignal::TerminationSignal(QObject* parent)
    : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, wakeUp.data()) != 0)
        return;
    notifier = std::make_unique<QSocketNotifier>(wakeUp[1], QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        while (::read(wakeUp[1], &byte, 1) == 1) {
        }
        Q_EMIT received();
    });
    struct sigaction action {};
    action.sa_handler = onTermination;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, &previous);
}

TerminationSignal::~TerminationSignal() {
    if (!notifier)
        return;
    ::sigaction(SIGTERM, &previous, nullptr);
    notifier.reset();
    ::close(wakeUp[0]);
    ::close(wakeUp[1]);
    wakeUp = {-1, -1};
}

} // namespace plenwick
