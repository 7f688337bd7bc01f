#include "interruption.h"

#include "toolcommand.h"

namespace plenwick {

namespace {

std::atomic_bool interruptionRequested = false;
std::atomic_int interruptionSignal = 0;
static_assert(std::atomic_bool::is_always_lock_free && std::atomic_int::is_always_lock_free);

extern "C" void onInterruption(int signalNumber) {
    interruptionSignal = signalNumber;
    interruptionRequested = true;
    endRunningTools();
}

} // namespace

Interruption::Interruption() {
    struct sigaction action {};
    action.sa_handler = onInterruption;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &previousInterrupt);
    ::sigaction(SIGTERM, &action, &previousTerminate);
    ::sigaction(SIGHUP, &action, &previousHangUp);
}

Interruption::~Interruption() {
    ::sigaction(SIGINT, &previousInterrupt, nullptr);
    ::sigaction(SIGTERM, &previousTerminate, nullptr);
    ::sigaction(SIGHUP, &previousHangUp, nullptr);
}

const std::atomic_bool& Interruption::requested() {
    return interruptionRequested;
}

int Interruption::signalNumber() {
    return interruptionSignal;
}

} // namespace plenwick
