#include "cli/UnitInfoTexts.h"

#include <cstdio>

namespace zeb40::cli {

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

std::string ConfigText(std::uint32_t firstWord, std::uint32_t secondWord) {
    char text[32];
    (void)std::snprintf(text, sizeof text, "%08lX / %08lX", static_cast<unsigned long>(firstWord),
                        static_cast<unsigned long>(secondWord));
    return text;
}

std::string OptionsText(std::uint32_t firstWord, std::uint32_t secondWord) {
    const std::uint32_t bits = firstWord & secondWord;
    auto has = [bits](int bit) { return (bits >> bit) & 1u; };
    auto connector = [&](const char* bnc, const char* cinch) -> std::string {
        if (has(19))
            return bnc;
        if (has(0))
            return cinch;
        return "";
    };
    std::string text;
    if (has(17))
        text += "Video Channel " + connector("with BNC connectors\n", "with Cinch connectors\n");
    if (has(14))
        text += "Video Insertion (Overlay)\n";
    if (has(3))
        text += has(4) ? "VITC Reader and Generator\n" : "VITC Reader\n";
    if (!has(3) && has(4))
        text += "VITC Generator\n";
    if (has(1))
        text += "LTC Reader " + connector("with XLR connector\n", "with Cinch connector\n");
    if (has(2))
        text += "LTC Generator " + connector("with XLR connector\n", "with Cinch connector\n");
    if (has(5))
        text += "RS232 Interface\n";
    if (has(6))
        text += "RS422 Interface\n";
    if (has(18))
        text += "Sony Master/Slave\n";
    if (has(16))
        text += "Clock with Battery Back-Up\n";
    if (has(10))
        text += "DCF receiver build-in\n";
    if (has(11))
        text += "GPS receiver build-in\n";
    if (has(22))
        text += "Function Keys\n";
    if (has(21))
        text += "LED Display\n";
    if (bits & 0xFF000000u)
        text += "Option\n";
    return text;
}

std::vector<std::string> OptionLines(const std::string& optionsText) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < optionsText.size()) {
        std::size_t end = optionsText.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(optionsText.substr(start));
            break;
        }
        lines.push_back(optionsText.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace zeb40::cli
