#pragma once

namespace plenwick {

// Handles the events already waiting and returns at once.
void pumpEventsOnce();
// Runs a nested event loop for the given time.
void runEventLoopFor(int milliseconds);

} // namespace plenwick
