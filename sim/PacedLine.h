#pragma once
// The times of a 38400-baud line that a pseudo-terminal stands in for. The
// line is full duplex: each direction carries ten bit times per byte on its
// own clock, so the unit takes in requests while it is still sending earlier
// answers. Neither the pseudo-terminal's own hand-over time nor a late
// wake-up of the emulator is counted as time on the line.
//
// The unit handles one received character at a time, and takes the next one
// only once it has sent its answer to the one before (and has done its work):
// characters that arrive meanwhile wait in a small receive queue, and one
// that finds the queue full is lost, as on the unit's serial port.

#include <chrono>
#include <cstdint>
#include <deque>

namespace zeb40::sim {

class PacedLine {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t DefaultReceiveQueue = 16;

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

    // Characters that may wait for the unit; at least 1.
    void SetReceiveQueue(std::size_t characters) { queueSize_ = characters; }

    // A byte that the emulator read at readAt: it has fully arrived one byte
    // time after the program wrote it, or after the byte before it. False
    // when the receive queue is full and the byte is lost.
    bool ByteArrived(Clock::time_point readAt);
    // The unit's clock: when it handles the byte that arrived last.
    Clock::time_point Now() const { return handleClock_; }
    // The unit works for this long before it answers.
    void Busy(std::chrono::milliseconds time) { handleClock_ += time; }
    // An answer of count bytes, sent once the one before it has gone: when
    // to write it so that its last byte reaches the program on time.
    Clock::time_point ScheduleAnswer(std::size_t count);
    // An answer scheduled for due has been written now.
    void Written(Clock::time_point due);

  private:
    Clock::time_point arrivalClock_{};      // the last byte received was complete
    Clock::time_point handleClock_{};       // the unit handles it
    Clock::time_point sendClock_{};         // the last answer will have been sent
    std::deque<Clock::time_point> waiting_; // when each queued byte gets handled
    std::size_t queueSize_ = DefaultReceiveQueue;
    Clock::duration toUnit_{};       // hand-over of the program's bytes
    Clock::duration toProgram_{};    // hand-over of the unit's bytes
    Clock::duration wakeLateness_{}; // how late recent wake-ups came
    int latencyRequest_ = -1;        // held open while the request stands
};

} // namespace zeb40::sim
