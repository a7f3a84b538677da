// The serial ports that Windows' device set-up lists in the class "Ports":
// each device whose "PortName" is a COM name, with its device description.
// The set-up library is loaded at run time from the system folder only, so
// no other copy of it is picked up from the program's folder.

#include "link/ListedPortName.h"
#include "link/discovery/PortDiscovery.h"

#include <optional>
#include <vector>
#include <windows.h>
// setupapi.h builds on the types of windows.h.
#include <setupapi.h>

namespace zeb40 {
namespace {

using ClassGuidsFromName = BOOL(WINAPI*)(PCSTR, LPGUID, DWORD, PDWORD);
using GetClassDevs = HDEVINFO(WINAPI*)(const GUID*, PCSTR, HWND, DWORD);
using EnumDeviceInfo = BOOL(WINAPI*)(HDEVINFO, DWORD, PSP_DEVINFO_DATA);
using OpenDevRegKey = HKEY(WINAPI*)(HDEVINFO, PSP_DEVINFO_DATA, DWORD, DWORD, DWORD, REGSAM);
using GetDeviceRegistryProperty = BOOL(WINAPI*)(HDEVINFO, PSP_DEVINFO_DATA, DWORD, PDWORD, PBYTE,
                                                DWORD, PDWORD);
using DestroyDeviceInfoList = BOOL(WINAPI*)(HDEVINFO);

struct SetupLibrary {
    HMODULE module = nullptr;
    OpenDevRegKey openDevRegKey = nullptr;
    ClassGuidsFromName classGuidsFromName = nullptr;
    GetClassDevs getClassDevs = nullptr;
    GetDeviceRegistryProperty getDeviceRegistryProperty = nullptr;
    DestroyDeviceInfoList destroyDeviceInfoList = nullptr;
    EnumDeviceInfo enumDeviceInfo = nullptr;

    ~SetupLibrary() {
        if (module)
            FreeLibrary(module);
    }
    template <class Function> bool Find(Function& function, const char* name) {
        function =
            reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
        return function != nullptr;
    }
    bool Load() {
        char folder[MAX_PATH];
        const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return false;
        module = LoadLibraryA((std::string(folder, length) + "\\SETUPAPI.DLL").c_str());
        if (!module)
            return false;
        if (Find(openDevRegKey, "SetupDiOpenDevRegKey") &&
            Find(classGuidsFromName, "SetupDiClassGuidsFromNameA") &&
            Find(getClassDevs, "SetupDiGetClassDevsA") &&
            Find(getDeviceRegistryProperty, "SetupDiGetDeviceRegistryPropertyA") &&
            Find(destroyDeviceInfoList, "SetupDiDestroyDeviceInfoList") &&
            Find(enumDeviceInfo, "SetupDiEnumDeviceInfo"))
            return true;
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return false;
    }
};

// "COM3" from the device key's "PortName"; nothing for other names (LPT1,
// "COMx") or a value that is no text.
std::optional<std::string> ComPortName(HKEY key) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, "PortName", nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::vector<char> text(size + 1, '\0');
    DWORD got = size + 1;
    if (RegQueryValueExA(key, "PortName", nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &got) != ERROR_SUCCESS ||
        type != REG_SZ || got > size)
        return std::nullopt;
    const std::optional<unsigned> number = ComNumberOfComName(text.data());
    if (!number)
        return std::nullopt;
    return "COM" + std::to_string(*number);
}

std::string DeviceDescription(const SetupLibrary& setup, HDEVINFO devices,
                              SP_DEVINFO_DATA& device) {
    char text[1024];
    DWORD type = 0;
    if (!setup.getDeviceRegistryProperty(devices, &device, SPDRP_DEVICEDESC, &type,
                                         reinterpret_cast<BYTE*>(text), sizeof text - 1, nullptr) ||
        type != REG_SZ)
        return {};
    text[sizeof text - 1] = '\0';
    return text;
}

std::vector<FoundPort> PresentPorts(const SetupLibrary& setup) {
    std::vector<FoundPort> ports;
    DWORD classCount = 0;
    setup.classGuidsFromName("Ports", nullptr, 0, &classCount);
    if (classCount == 0)
        return ports;
    std::vector<GUID> classes(classCount);
    if (!setup.classGuidsFromName("Ports", classes.data(), classCount, &classCount))
        return ports;
    HDEVINFO devices = setup.getClassDevs(&classes[0], nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return ports;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; setup.enumDeviceInfo(devices, index, &device); ++index) {
        HKEY key =
            setup.openDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        std::optional<std::string> name = ComPortName(key);
        RegCloseKey(key);
        if (name)
            ports.push_back({*name, DeviceDescription(setup, devices, device)});
    }
    setup.destroyDeviceInfoList(devices);
    return ports;
}

} // namespace

std::vector<FoundPort> SystemSerialPorts() {
    // The enumeration leaves the thread's last error as it found it.
    const DWORD lastError = GetLastError();
    SetupLibrary setup;
    if (!setup.Load())
        return {};
    std::vector<FoundPort> ports = PresentPorts(setup);
    SetLastError(lastError);
    return ports;
}

} // namespace zeb40
