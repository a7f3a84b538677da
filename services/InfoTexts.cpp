#include "services/InfoTexts.h"

#include <cstdio>

namespace zeb40 {
namespace {

bool Has(std::uint32_t bits, std::uint32_t mask) {
    return (bits & mask) != 0;
}

// Bit 19 means the professional connectors, bit 0 the consumer ones; a unit
// with neither gets no connector text (and no line break).
const char* ConnectorText(std::uint32_t bits, const char* professional, const char* consumer) {
    if (Has(bits, 0x00080000))
        return professional;
    if (Has(bits, 0x00000001))
        return consumer;
    return "";
}

} // namespace

std::string OptionsText(std::uint32_t firstOptionWord, std::uint32_t secondOptionWord) {
    const std::uint32_t bits = firstOptionWord & secondOptionWord;
    std::string text;
    if (Has(bits, 0x00020000)) {
        text += "Video Channel ";
        text += ConnectorText(bits, "with BNC connectors\n", "with Cinch connectors\n");
    }
    if (Has(bits, 0x00004000))
        text += "Video Insertion (Overlay)\n";
    if (Has(bits, 0x00000008))
        text += Has(bits, 0x00000010) ? "VITC Reader and Generator\n" : "VITC Reader\n";
    else if (Has(bits, 0x00000010))
        text += "VITC Generator\n";
    const char* audioConnector =
        ConnectorText(bits, "with XLR connector\n", "with Cinch connector\n");
    if (Has(bits, 0x00000002))
        text += std::string("LTC Reader ") + audioConnector;
    if (Has(bits, 0x00000004))
        text += std::string("LTC Generator ") + audioConnector;
    if (Has(bits, 0x00000020))
        text += "RS232 Interface\n";
    if (Has(bits, 0x00000040))
        text += "RS422 Interface\n";
    if (Has(bits, 0x00040000))
        text += "Sony Master/Slave\n";
    if (Has(bits, 0x00010000))
        text += "Clock with Battery Back-Up\n";
    if (Has(bits, 0x00000400))
        text += "DCF receiver build-in\n";
    if (Has(bits, 0x00000800))
        text += "GPS receiver build-in\n";
    if (Has(bits, 0x00400000))
        text += "Function Keys\n";
    if (Has(bits, 0x00200000))
        text += "LED Display\n";
    if (Has(bits, 0xFF000000))
        text += "Option\n";
    return text;
}

std::string VersionText(std::uint16_t version, std::uint32_t identifier) {
    char text[64];
    (void)std::snprintf(text, sizeof text, "%X.%02X", version >> 8, version & 0xFFu);
    std::string result = text;
    if (identifier != 0xFFFFFFFFu) {
        (void)std::snprintf(text, sizeof text, "\t\tUnique ID:  %08lX",
                            static_cast<unsigned long>(identifier));
        result += text;
    }
    return result;
}

std::string ConfigText(std::uint32_t firstOptionWord, std::uint32_t secondOptionWord) {
    char text[32];
    (void)std::snprintf(text, sizeof text, "%08lX / %08lX",
                        static_cast<unsigned long>(firstOptionWord),
                        static_cast<unsigned long>(secondOptionWord));
    return text;
}

} // namespace zeb40
