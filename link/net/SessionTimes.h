#pragma once
// How long opening a network port waits for each step.

#include <chrono>

namespace zeb40::session_times {

using namespace std::chrono_literals;

// Option negotiation and the answers to the line settings, in all.
inline constexpr auto Negotiation = 3000ms;
// Acknowledgements of DTR, RTS and flow control, which many servers never
// send: the open goes on without them after this.
inline constexpr auto ControlAcknowledgement = 200ms;
// The answer to a purge, while data still in flight is discarded.
inline constexpr auto PurgeAcknowledgement = 500ms;
// The line counts as quiet after this long without a byte (the serial
// port's gap between two bytes)...
inline constexpr auto Quiet = 100ms;
// ...and the open goes on after this even when the unit keeps sending.
inline constexpr auto QuietLimit = 1000ms;
// Closing: the last requests to the server may take this.
inline constexpr auto Farewell = 100ms;

} // namespace zeb40::session_times
