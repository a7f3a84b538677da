// Echo and reply lines as the unit might send them: any bytes, any length.
#include "link/ReplyDecoding.h"
#include "link/UnitLink.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A line as ReadLine delivers it: at most 20 bytes.
    std::string_view all(reinterpret_cast<const char*>(data), size);
    while (!all.empty()) {
        std::size_t length = std::min<std::size_t>(all.size(), zeb40::Line::MaxLineLength);
        std::size_t lf = all.substr(0, length).find('\n');
        if (lf != std::string_view::npos)
            length = lf + 1;
        std::string_view line = all.substr(0, length);
        zeb40::DecodeEcho(line);
        zeb40::DecodeReply(line, false);
        zeb40::DecodeReply(line, true);
        all.remove_prefix(length);
    }
    return 0;
}
