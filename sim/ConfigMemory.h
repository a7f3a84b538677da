#pragma once
// The unit's configuration memory: a limited number of item slots. Every
// item write ('C', 'L') that the unit would accept uses one; when none is left
// writes are refused with "OV" until 'Q' has reorganised the memory. Install
// it before the extensions that store the items. 'e' 0x95 reports
// the capacity (bits 0-7) and the slots in use (bits 16-23). The item memory
// starts as the unit's factory settings.

#include "sim/Extension.h"

namespace zeb40::sim {

class ConfigMemory : public Extension {
  public:
    static constexpr int DefaultCapacity = 64;
    static constexpr int DefaultReorganizeMs = 2000;

    explicit ConfigMemory(Emulator& unit);

    std::optional<Response> Handle(Emulator& unit, const ReceivedCommand& command) override;
    std::optional<std::string> UnitValue(Emulator& unit, std::uint32_t number) override;
    // "capacity" (0-255 slots) and "reorganize-ms" (how long 'Q' keeps the
    // unit busy), both decimal.
    bool Configure(Emulator& unit, const std::string& key, const std::string& value) override;

    // Under the emulator's lock.
    void SetCapacity(int capacity) { capacity_ = capacity; }
    void SetInUse(int inUse) { inUse_ = inUse; }
    void SetReorganizeMs(int milliseconds) { reorganizeMs_ = milliseconds; }

  private:
    bool TakeSlot();

    int capacity_ = DefaultCapacity;
    int inUse_ = 0;
    int reorganizeMs_ = DefaultReorganizeMs;
};

} // namespace zeb40::sim
