// What a serial device server might send: any bytes, split anywhere.
#include "link/net/TelnetCodec.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view all(reinterpret_cast<const char*>(data), size);
    // The first byte chooses the size of the pieces, as reads would cut them.
    const std::size_t piece = all.empty() ? 1 : static_cast<unsigned char>(all[0]) % 16 + 1;
    zeb40::telnet::Receiver receiver;
    std::string received;
    while (!all.empty()) {
        std::string_view part = all.substr(0, piece);
        all.remove_prefix(part.size());
        while (!part.empty()) {
            std::optional<zeb40::telnet::Event> event;
            const std::size_t taken = receiver.Take(part, received, event);
            if (taken == 0 || taken > part.size())
                __builtin_trap();
            if (event && event->payload.size() > zeb40::telnet::Receiver::MaxPayload)
                __builtin_trap();
            part.remove_prefix(taken);
        }
    }
    if (received.size() > size)
        __builtin_trap();
    return 0;
}
