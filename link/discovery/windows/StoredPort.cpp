#include "link/discovery/StoredPort.h"

#include "link/windows/WideText.h"

#include <windows.h>

namespace zeb40 {

// Where the window's settings store keeps it on Windows: the registry key of
// the company and the program, section "Main", value "Port".
std::string PortStoredByWindow() {
    wchar_t port[1024];
    DWORD size = sizeof port;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\VELOR\\zeb40\\Main", L"Port", RRF_RT_REG_SZ,
                     nullptr, port, &size) != ERROR_SUCCESS ||
        size < sizeof port[0])
        return {};
    return Utf8FromWide(port, size / sizeof port[0] - 1);
}

} // namespace zeb40
