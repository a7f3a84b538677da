#pragma once
// The times of a 38400-baud line that a pseudo-terminal stands in for: each
// byte takes ten bit times, an answer leaves once the unit has what came
// before it, and neither the pseudo-terminal's own hand-over time nor a late
// wake-up of the emulator is counted as time on the line.

#include <chrono>

namespace zeb40::sim {

class PacedLine {
  public:
    using Clock = std::chrono::steady_clock;

    PacedLine() = default;
    ~PacedLine();
    PacedLine(const PacedLine&) = delete;
    PacedLine& operator=(const PacedLine&) = delete;

    // Asks the system to wake its processors at once while the line is
    // paced, as a unit's own processor would be: an idle processor of a
    // virtual machine takes tens of microseconds to wake, a tenth of a byte's
    // round trip. Only where the system allows it (/dev/cpu_dma_latency).
    void KeepProcessorsAwake();

    // How long the pseudo-terminal takes to hand a byte from one end to the
    // other, each way; measured before the program opens the line. master is
    // the emulator's end, slave an open, raw descriptor of the program's end.
    void MeasureHandOver(int master, int slave);

    // The moment a byte that the emulator read at readAt has fully arrived:
    // one byte time after the program wrote it, or after the byte before it.
    Clock::time_point ByteArrived(Clock::time_point readAt);
    // The unit's clock: when the byte being handled arrived.
    Clock::time_point Now() const { return receiveClock_; }
    // The unit works for this long before it answers.
    void Busy(std::chrono::milliseconds time) { receiveClock_ += time; }
    // Waits until an answer of count bytes would have its last byte at the
    // program, so the emulator writes it then in one piece.
    void WaitToAnswer(std::size_t count);

  private:
    Clock::time_point receiveClock_{};
    Clock::time_point sendClock_{};
    Clock::duration toUnit_{};       // hand-over of the program's bytes
    Clock::duration toProgram_{};    // hand-over of the unit's bytes
    Clock::duration wakeLateness_{}; // how late recent wake-ups came
    int latencyRequest_ = -1;        // held open while the request stands
};

} // namespace zeb40::sim
