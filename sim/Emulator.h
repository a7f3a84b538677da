#pragma once
// The emulated ZEB40: a pseudo-terminal whose slave side the program opens as
// its serial port, and a thread that answers on the master side as the unit
// does. Tests observe what it received and change its state under Lock().

#include "sim/Command.h"
#include "sim/Extension.h"
#include "sim/Fault.h"
#include "sim/FaultInjection.h"
#include "sim/LineFraming.h"
#include "sim/PacedLine.h"
#include "sim/UnitState.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <typeinfo>
#include <vector>

namespace zeb40::sim {

struct EmulatorOptions {
    bool paced = false; // 10 bit times per byte at 38400 baud, each direction on its own
    // Paced: the characters that may wait for the unit while it answers.
    std::size_t receiveQueue = PacedLine::DefaultReceiveQueue;
};

class Emulator {
  public:
    explicit Emulator(EmulatorOptions options = {});
    ~Emulator();
    Emulator(const Emulator&) = delete;
    Emulator& operator=(const Emulator&) = delete;

    // Opens the pseudo-terminal and starts answering; false when no terminal
    // could be made.
    bool Start();
    void Stop();
    // Without a pseudo-terminal or thread, for tests on a fake line: bytes go
    // in through Feed on the caller's thread, the answers go to output, and
    // the time the unit works before answering is handed to delay instead of
    // slept. now is the clock the unit keeps its own time by; devicePath is
    // the name the unit is found by.
    struct Attachment {
        std::string devicePath;
        std::function<void(std::string_view)> output;
        std::function<void(std::chrono::milliseconds)> delay;
        std::function<std::chrono::steady_clock::time_point()> now;
    };
    void Attach(Attachment attachment);
    void Feed(std::string_view bytes);
    // The unit's own time while it handles a byte: the attachment's clock,
    // paced the moment the unit takes the byte on the line's time, else the
    // steady clock.
    std::chrono::steady_clock::time_point Now() const;

    // Closes the line as an unplugged device would.
    void HangUp();
    bool HungUp() const { return hungUp_; }
    const std::string& DevicePath() const { return devicePath_; }

    // Hold this while looking at or changing the unit from another thread.
    std::unique_lock<std::recursive_mutex> Lock() { return std::unique_lock(mutex_); }
    UnitState& State() { return state_; }

    std::vector<ReceivedCommand> Received();
    void ClearReceived();
    // Waits until at least count commands have arrived (for asynchronous tests).
    bool WaitForReceived(std::size_t count, std::chrono::milliseconds timeout);
    // Every byte the unit has received, in order.
    std::string ReceivedBytes();
    // Paced: the characters lost because the receive queue was full.
    std::uint64_t OverrunCharacters() const { return overruns_; }

    void AddFault(const Fault& fault);
    void ClearFaults();

    // Extensions: the first one that answers a command wins.
    void AddExtension(std::unique_ptr<Extension> extension);
    // Hands a setting to the extension that knows it; false when none does.
    bool Configure(const std::string& key, const std::string& value);
    template <class T> T* Find() {
        for (auto& e : extensions_) {
            if (auto* typed = dynamic_cast<T*>(e.get()))
                return typed;
        }
        return nullptr;
    }

    // For extensions: send bytes to the program, and take over or give back the
    // line for a byte-oriented mode.
    void Send(const std::string& bytes);
    void TakeOverStream(Extension* owner) { rawOwner_ = owner; }
    void ReleaseStream() { rawOwner_ = nullptr; }

  private:
    struct ScheduledAnswer {
        std::chrono::steady_clock::time_point due;
        std::string bytes;
    };

    void Serve();
    void OnByte(char byte);
    void OnLine(const std::string& line);
    void Answer(const ReceivedCommand& command);
    Response Dispatch(const ReceivedCommand& command);
    // The unit's working time before it answers.
    void WorkFor(std::chrono::milliseconds time);
    // Paced: writes the answers that are due; with all, waits for and
    // writes every answer still scheduled.
    void WriteAnswers(bool all);
    void WriteAll(std::string_view bytes);
    void CloseLine();

    EmulatorOptions options_;
    std::recursive_mutex mutex_;
    std::condition_variable_any receivedChanged_;
    UnitState state_;
    std::vector<std::unique_ptr<Extension>> extensions_;
    std::vector<ReceivedCommand> received_;
    std::string receivedBytes_;
    FaultList faults_;
    Extension* rawOwner_ = nullptr;
    std::optional<Attachment> attachment_;
    LineAssembler lines_;

    int master_ = -1;
    int slaveKeeper_ = -1; // keeps the line up while the program has it closed
    int wakePipe_[2] = {-1, -1};
    std::string devicePath_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> hungUp_{false};
    std::atomic<bool> hangUpRequested_{false};
    PacedLine line_;
    std::deque<ScheduledAnswer> scheduled_; // paced answers, on the serving thread
    std::atomic<std::uint64_t> overruns_{0};
};

// Installs every feature of the unit; the emulator calls it on construction.
void InstallUnitFeatures(Emulator& unit);

} // namespace zeb40::sim
