#include "cli/SettingValues.h"

namespace zeb40::cli {
namespace {

std::string Folded(std::string_view text) {
    std::string folded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        // "µ" (C2 B5) may be typed as "u".
        if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xB5') {
            folded += 'u';
            ++i;
            continue;
        }
        folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return folded;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// A decimal integer with an optional sign, as the window's number fields read it.
std::optional<long long> Integer(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 12)
        return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::string BetweenMessage(int minimum, int maximum) {
    return "Please enter an integer between " + std::to_string(minimum) + " and " +
           std::to_string(maximum) + ".";
}

} // namespace

std::optional<int> ControlValueFromText(const ItemDescription& description, std::string_view text,
                                        std::string& error) {
    text = Trimmed(text);
    switch (description.encoding) {
    case ItemEncoding::Index:
    case ItemEncoding::OffFlag: {
        const std::string wanted = Folded(text);
        for (std::size_t i = 0; i < description.list.size(); ++i) {
            if (Folded(description.list[i]) == wanted)
                return static_cast<int>(i);
        }
        const int last = static_cast<int>(description.list.size()) - 1;
        auto index = Integer(text);
        if (index && *index >= 0 && *index <= last)
            return static_cast<int>(*index);
        error =
            "'" + std::string(text) + "' is no entry of the list; " + AcceptedValues(description);
        return std::nullopt;
    }
    case ItemEncoding::Check: {
        const std::string word = Folded(text);
        if (word == "on" || word == "1" || word == "yes" || word == "true" || word == "checked")
            return 1;
        if (word == "off" || word == "0" || word == "no" || word == "false" || word == "unchecked")
            return 0;
        error = "'" + std::string(text) + "' is neither on nor off";
        return std::nullopt;
    }
    case ItemEncoding::Number:
    case ItemEncoding::Bcd: {
        auto number = Integer(text);
        if (!number) {
            error = "Please enter an integer.";
            return std::nullopt;
        }
        if (*number < description.fieldMin || *number > description.fieldMax) {
            error = BetweenMessage(description.fieldMin, description.fieldMax);
            return std::nullopt;
        }
        return static_cast<int>(*number);
    }
    }
    error = "unknown kind of setting";
    return std::nullopt;
}

int ItemValueFromControl(const ItemDescription& description, int controlValue,
                         std::uint8_t current) {
    if (description.encoding == ItemEncoding::Bcd)
        return BcdFromDecimal(controlValue);
    if (description.encoding == ItemEncoding::OffFlag && controlValue == description.offEntry)
        return (current & 0x7F) | 0x80;
    return controlValue;
}

std::string DisplayText(const ItemDescription& description, std::uint8_t stored) {
    const int shown = ControlValueFromItem(description, stored);
    switch (description.encoding) {
    case ItemEncoding::Index:
    case ItemEncoding::OffFlag:
        if (shown < 0 || shown >= static_cast<int>(description.list.size()))
            return "(none)";
        return std::string(description.list[static_cast<std::size_t>(shown)]);
    case ItemEncoding::Check:
        return shown ? "on" : "off";
    case ItemEncoding::Number:
    case ItemEncoding::Bcd:
        break;
    }
    return std::to_string(shown);
}

std::string AcceptedValues(const ItemDescription& description) {
    switch (description.encoding) {
    case ItemEncoding::Index:
    case ItemEncoding::OffFlag: {
        std::string text = "one of: ";
        for (std::size_t i = 0; i < description.list.size(); ++i) {
            if (i > 0)
                text += ", ";
            text += description.list[i];
        }
        return text;
    }
    case ItemEncoding::Check:
        return "on or off";
    case ItemEncoding::Number:
    case ItemEncoding::Bcd:
        break;
    }
    return std::to_string(description.fieldMin) + " to " + std::to_string(description.fieldMax);
}

} // namespace zeb40::cli
