#pragma once

#include <array>
#include <atomic>
#include <csignal>

namespace plenwick {

// While it lives, SIGINT, SIGTERM and SIGHUP end every running tool at once and set `requested`,
// so the batch starts nothing further, removes its scratch files and the program ends with the
// usual 128 + signal status. The tools run in process groups of their own, so a terminal's
// Ctrl-C reaches them only this way. SIGPIPE is ignored (Qt ignores it anyway once it starts a
// process): a closed output is reported through request() instead.
class Interruption final {
public:
    Interruption();
    ~Interruption();
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

    // What the handler does, for an interruption found otherwise; safe in a signal handler.
    static void request(int signalNumber) noexcept;
    [[nodiscard]] static const std::atomic_bool& requested();
    // The signal that asked, 0 when none did.
    [[nodiscard]] static int signalNumber();

private:
    std::array<struct sigaction, 4> previous{};
};

} // namespace plenwick
