#pragma once

#include <atomic>
#include <csignal>

namespace plenwick {

// While it lives, SIGINT, SIGTERM and SIGHUP end every running tool at once and set `requested`,
// so the batch starts nothing further, removes its scratch files and the program ends with the
// usual 128 + signal status. The tools run in process groups of their own, so a terminal's
// Ctrl-C reaches them only this way.
class Interruption final {
public:
    Interruption();
    ~Interruption();
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

    [[nodiscard]] static const std::atomic_bool& requested();
    // The signal that asked, 0 when none did.
    [[nodiscard]] static int signalNumber();

private:
    struct sigaction previousInterrupt {};
    struct sigaction previousTerminate {};
    struct sigaction previousHangUp {};
};

} // namespace plenwick
