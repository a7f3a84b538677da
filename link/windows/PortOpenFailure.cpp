#include "link/windows/PortOpenFailure.h"

#include "link/windows/WideText.h"

#include <windows.h>

namespace zeb40 {

std::string SystemMessage(unsigned long code) {
    wchar_t text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text / sizeof text[0], nullptr);
    while (length > 0 &&
           (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' '))
        --length;
    if (length == 0)
        return "Error " + std::to_string(code);
    // The system speaks the user's language.
    return Utf8FromWide(text, length);
}

std::string PortOpenFailureDetail(const std::string& device, unsigned long code) {
    std::string shown = device;
    if (shown.starts_with("\\\\.\\"))
        shown.erase(0, 4);
    std::string reason = SystemMessage(code);
    if (!reason.ends_with('.'))
        reason += '.';
    switch (code) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        // Windows answers a port that another program holds with "Access denied".
        reason += " Another program is using the port, or this user may not open it.";
        break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        reason += " There is no such port on this computer; the port list shows those there are.";
        break;
    default:
        break;
    }
    return shown + ": " + reason;
}

} // namespace zeb40
