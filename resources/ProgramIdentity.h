#pragma once
// Who the program is to the system, and where it keeps what it remembers: the
// one place the window program, zeb40ctl and the Windows build take these from.
// The store's key is fixed, not taken from the running file's name, so a
// renamed or linked program keeps its settings where zeb40ctl finds them.

#include "resources/Strings.h"

#include <string>

namespace zeb40::identity {

inline constexpr const char* Organization = "VELOR";
inline constexpr const char* Application = "zeb40";
// The product as captions name it (string 117).
inline constexpr const char* Product = strings::AppCaption;

// A value in the per-user settings store.
struct StoredSetting {
    const char* key;     // "Main/Port": section and name, as Qt's settings store takes them
    const char* section; // "Main": a subkey of the registry key on Windows
    const char* name;    // "Port"
};

inline constexpr StoredSetting Port{"Main/Port", "Main", "Port"}; // the port field's text
inline constexpr StoredSetting LastFolder{"Main/LastFolder", "Main", "LastFolder"}; // dialogs
inline constexpr StoredSetting AutoApply{"P/AutoApply", "P", "AutoApply"}; // the box, 0 or 1

// The store on Linux: this file below the user's configuration folder
// ($XDG_CONFIG_HOME, else ~/.config).
inline std::string StoreFile() {
    return std::string(Organization) + "/" + Application + ".conf";
}
// The store on Windows: this key below HKEY_CURRENT_USER, one subkey per section.
inline std::string RegistryKey() {
    return std::string("Software\\") + Organization + "\\" + Application;
}

} // namespace zeb40::identity
