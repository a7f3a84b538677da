#include "cli/UnitPorts.h"

#include "cli/TerminalOperator.h"
#include "disk/DiskFile.h"
#include "link/PortNames.h"
#include "resources/Strings.h"

#include <sstream>

namespace zeb40::cli {
namespace {

constexpr std::string_view PortField = "{port}";
constexpr std::string_view IdField = "{id}";
// A list of ports is a few lines; anything much bigger was named by mistake,
// and a line this long is no port name (nor worth repeating in a message).
constexpr std::size_t LongestPortList = 1024 * 1024;
constexpr std::size_t LongestPortLine = 4096;

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

void ReplaceAll(std::string& text, std::string_view field, const std::string& value) {
    for (std::size_t at = text.find(field); at != std::string::npos;
         at = text.find(field, at + value.size()))
        text.replace(at, field.size(), value);
}

} // namespace

UnitPortList ListUnitPorts(const std::vector<PortArgument>& arguments) {
    UnitPortList list;
    for (const auto& argument : arguments) {
        if (!argument.listFile) {
            list.ports.push_back(argument.text);
            continue;
        }
        const DiskRead read = ReadDiskFile(argument.text, LongestPortList);
        if (!read.opened || read.failure || read.longer) {
            const std::string why = !read.opened   ? OneLine(strings::FailedToOpenFile)
                                    : read.failure ? read.failure->reason
                                                   : "longer than 1 MB, no list of ports";
            list.error = argument.text + ": " + why;
            list.fileError = true;
            return list;
        }
        std::size_t before = list.ports.size();
        std::istringstream lines(read.bytes);
        int lineNumber = 0;
        for (std::string line; std::getline(lines, line);) {
            ++lineNumber;
            if (line.size() > LongestPortLine) {
                list.error = argument.text + ":" + std::to_string(lineNumber) +
                             ": line longer than " + std::to_string(LongestPortLine) +
                             " characters, no port name";
                list.fileError = true;
                return list;
            }
            std::string name = Trimmed(line.substr(0, line.find('#')));
            if (!name.empty())
                list.ports.push_back(name);
        }
        if (list.ports.size() == before) {
            list.error = "no port named in " + argument.text;
            return list;
        }
    }
    for (std::size_t i = 0; i < list.ports.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (DevicePathForName(list.ports[i]) == DevicePathForName(list.ports[j])) {
                list.error =
                    "port '" + list.ports[i] + "' names the same device as '" + list.ports[j] + "'";
                return list;
            }
        }
    }
    return list;
}

std::string PortFileToken(const std::string& port) {
    std::string token = DevicePathForName(port);
    if (token.starts_with("/dev/"))
        token.erase(0, 5);
    for (char& c : token) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                     c == '.' || c == '_' || c == '-';
        if (!plain)
            c = c == '/' ? '-' : '_';
    }
    return token;
}

bool NamesEachUnit(const std::string& pattern) {
    return pattern.find(PortField) != std::string::npos || NeedsIdentifier(pattern);
}

bool NeedsIdentifier(const std::string& pattern) {
    return pattern.find(IdField) != std::string::npos;
}

std::string UnitFileName(const std::string& pattern, const std::string& port,
                         const std::string& identifier) {
    std::string name = pattern;
    ReplaceAll(name, PortField, PortFileToken(port));
    ReplaceAll(name, IdField, identifier);
    return name;
}

} // namespace zeb40::cli
