#pragma once
// Configuration files: "ZEB40 Configuration File", 1Ah, then the 100 table
// bytes. The older header "ZEB-40 Configuration File" is read too.

#include "config/ConfigItemTable.h"
#include "shell/startup/Operator.h"

#include <string>

namespace zeb40 {

// The main window's file members and its title.
struct ConfigDocument {
    std::string path;  // ConfigFilePath; empty while untitled
    std::string title; // ConfigFileTitle
    std::string windowTitle = "VELOR ZEB40";
};

// Both show their own failure messages and, on success, clear ConfigModified
// and set the window title to "<title> - VELOR ZEB40".
bool ReadConfigFile(ConfigDocument& document, ConfigState& config, Operator& op);
bool WriteConfigFile(ConfigDocument& document, ConfigState& config, Operator& op);

} // namespace zeb40
