#include "interruption.h"

#include "toolprocess.h"

namespace plenwick {

namespace {

constexpr std::array<int, 4> HandledSignals{SIGINT, SIGTERM, SIGHUP, SIGPIPE};
constexpr std::size_t PipeSignal = 3;
std::atomic_bool interruptionRequested = false;
std::atomic_int interruptionSignal = 0;
static_assert(std::atomic_bool::is_always_lock_free && std::atomic_int::is_always_lock_free);

extern "C" void onInterruption(int signalNumber) {
    Interruption::request(signalNumber);
}

} // namespace

Interruption::Interruption() {
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < HandledSignals.size(); ++i) {
        action.sa_handler = i == PipeSignal ? SIG_IGN : onInterruption;
        ::sigaction(HandledSignals[i], &action, &previous[i]);
    }
}

Interruption::~Interruption() {
    for (std::size_t i = 0; i < HandledSignals.size(); ++i)
        ::sigaction(HandledSignals[i], &previous[i], nullptr);
}

void Interruption::request(int signalNumber) noexcept {
    interruptionSignal = signalNumber;
    interruptionRequested = true;
    endRunningTools();
}

const std::atomic_bool& Interruption::requested() {
    return interruptionRequested;
}

int Interruption::signalNumber() {
    return interruptionSignal;
}

} // namespace plenwick
