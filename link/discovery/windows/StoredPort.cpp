#include "link/discovery/StoredPort.h"

#include "link/windows/WideText.h"
#include "resources/ProgramIdentity.h"

#include <windows.h>

namespace zeb40 {

// Where the window's settings store keeps it on Windows: the registry key of
// the company and the program, the section as a subkey, the name as a value.
std::string PortStoredByWindow() {
    const std::wstring key = WideFromUtf8(identity::RegistryKey() + "\\" + identity::Port.section);
    const std::wstring value = WideFromUtf8(identity::Port.name);
    wchar_t port[1024];
    DWORD size = sizeof port;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, port,
                     &size) != ERROR_SUCCESS ||
        size < sizeof port[0])
        return {};
    return Utf8FromWide(port, size / sizeof port[0] - 1);
}

} // namespace zeb40
