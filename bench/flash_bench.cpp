// Flash update of a 40 KB image against the emulated unit at 38400 baud,
// compared with its lower bound: the fixed waits, the page pauses and every
// byte on the wire at 10 bit times per byte. Usage: flash_bench [KB] (1 to 40,
// default 40; a smaller image makes a quick run).

#include "flash/FlashUpdate.h"
#include "link/UnitLink.h"
#include "sim/Base64.h"
#include "sim/Emulator.h"
#include "sim/FlashMode.h"
#include "sim/FlashPackageWriter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Chooses the package and stays silent otherwise. While the data is being
// programmed it also stands in for the output queue of a real port: a write
// there returns once the bytes are queued, and the queue holds 4096 bytes, so
// the program runs at most that far ahead of the line. A pseudo-terminal takes
// some 20 KB instead, and the unit's reply after the last character would come
// seconds late; so at each line the program is held while more than a queue
// would hold is still on its way.
class BenchOperator : public zeb40::Operator {
  public:
    BenchOperator(std::string path, zeb40::sim::Emulator& unit, std::size_t lineLength)
        : path_(std::move(path)), unit_(unit), lineLength_(lineLength) {}
    void ShowMessage(const std::string& text, const std::string&, zeb40::MessageIcon) override {
        last = text;
    }
    zeb40::Answer Ask(const std::string&, const std::string&, zeb40::Buttons, zeb40::MessageIcon,
                      zeb40::Answer answer) override {
        return answer;
    }
    std::optional<zeb40::ChosenFile> ChooseFile(const zeb40::FileChoice&) override {
        return zeb40::ChosenFile{path_, "bench"};
    }
    void BeginWait() override {}
    void EndWait() override {}
    bool ShowProgress(const std::string&, int, int) override { return true; }
    void SetProgress(int position) override {
        position_ = position;
        if (position >= 300 && !readBackStart)
            readBackStart = std::chrono::steady_clock::now();
    }
    void CloseProgress() override {}
    bool ShowNotice(const std::string&) override { return true; }
    void CloseNotice() override {}
    void PumpMessages() override {
        const bool programming = position_ >= 42 && position_ < 300;
        if (!programming)
            return;
        if (lines_ == 0)
            base_ = unit_.ReceivedBytes().size();
        const std::size_t sent = base_ + lines_ * lineLength_;
        while (unit_.ReceivedBytes().size() + OutputQueue < sent)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        ++lines_;
    }
    std::string last;
    std::optional<std::chrono::steady_clock::time_point> readBackStart;

  private:
    static constexpr std::size_t OutputQueue = 4096;
    std::string path_;
    zeb40::sim::Emulator& unit_;
    std::size_t lineLength_;
    int position_ = 0;
    std::size_t lines_ = 0;
    std::size_t base_ = 0;
};

// The pauses WritePaced makes while sending data from 2000h.
int PagePauses(const std::string& data) {
    std::uint32_t address = 0x2000;
    int group = 0;
    int pauses = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (address <= 0x4000 && group != 0 && address % 128 == 0)
            ++pauses;
        ++group;
        if (group >= 2)
            ++address;
        if (group == 4)
            group = 0;
    }
    return pauses;
}

} // namespace

int main(int argc, char** argv) {
    const long kilobytes = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 40;
    if (kilobytes < 1 || kilobytes > 40) {
        std::fprintf(stderr, "usage: flash_bench [KB] (1 to 40)\n");
        return 2;
    }
    std::vector<std::uint8_t> image(static_cast<std::size_t>(kilobytes) * 1024);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 37 + (i >> 9));
    zeb40::sim::StampFirmwareVersion(image, 0x0360);
    const auto path = std::filesystem::temp_directory_path() / "zeb40-flash-bench.zcf";
    std::ofstream(path, std::ios::binary) << zeb40::sim::FlashPackageText(image);

    zeb40::sim::Emulator unit({.paced = true});
    if (!unit.Start()) {
        std::fprintf(stderr, "flash_bench: no pseudo-terminal\n");
        return 1;
    }
    zeb40::UnitLink link;
    zeb40::PackageIndex index;
    BenchOperator op(path.string(), unit, 76);
    const auto start = Clock::now();
    const auto outcome = zeb40::FlashUpdate(link, unit.DevicePath(), index, op).outcome;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::filesystem::remove(path);
    if (outcome != zeb40::FlashOutcome::Completed) {
        std::fprintf(stderr, "flash_bench: the update failed: %s\n", op.last.c_str());
        return 1;
    }

    std::size_t toUnit = unit.ReceivedBytes().size();
    std::uint64_t fromUnit = 0;
    {
        auto lock = unit.Lock();
        fromUnit = unit.Find<zeb40::sim::FlashMode>()->BytesSent();
    }
    const std::string data = zeb40::sim::Base64Encode(image);
    const int pauses = PagePauses(data);
    const double fixedWaits =
        0.100 + 0.200 + 0.100 + (data.find('=') == std::string::npos ? 0.2 : 0);
    const double wire = static_cast<double>(toUnit + fromUnit) * 10 / 38400;
    const double bound = fixedWaits + pauses * 0.080 + wire;
    std::printf("flash update of %zu bytes at 38400 baud: %.2f s\n", image.size(), seconds);
    std::printf("lower bound %.2f s = waits %.2f s + %d page pauses %.2f s + %zu+%llu bytes on the "
                "wire %.2f s\n",
                bound, fixedWaits, pauses, pauses * 0.080, toUnit,
                static_cast<unsigned long long>(fromUnit), wire);
    const double readBack = std::chrono::duration<double>(Clock::now() - *op.readBackStart).count();
    const double readBackBound = 0.100 + image.size() * 3.0 * 10 / 38400;
    std::printf("of which the read-back (one \"9\" and two hex digits per byte): %.2f s, bound "
                "%.2f s, ratio %.3f\n",
                readBack, readBackBound, readBack / readBackBound);
    std::printf("ratio %.3f (goal <= 1.10)\n", seconds / bound);
    return 0;
}
