#pragma once
// Configuration files: "ZEB40 Configuration File", 1Ah, then the 100 table
// bytes. The older header "ZEB-40 Configuration File" is read too.

#include "config/ConfigItemTable.h"
#include "operator/Operator.h"
#include "resources/ProgramIdentity.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zeb40 {

// The main window's file members and its title.
struct ConfigDocument {
    std::string path;  // ConfigFilePath; empty while untitled
    std::string title; // ConfigFileTitle
    std::string windowTitle = identity::Product;
};

// Why a configuration file could not be used: the message to show, with its
// number in the string table.
struct FileError {
    enum class Message {
        SystemError = 0,       // the file's name and the system's reason
        FailedToOpen = 111,    // "Failed to open file!\n"
        NotValidZebFile = 126, // "This is not a valid ZEB file!\n"
    };
    Message number = Message::SystemError;
    std::string text;
};

struct ConfigFileRead {
    std::optional<ConfigItemTable> table; // empty on failure
    FileError error;
};

// The table held in a file's bytes, after either header.
ConfigFileRead ParseConfigFile(std::span<const std::uint8_t> bytes);
// Reads the file at path; shows nothing.
ConfigFileRead LoadConfigTable(const std::string& path);
// Writes the table to path, replacing the file only once the new one is
// complete on disk; shows nothing. Empty on success.
std::optional<FileError> SaveConfigTable(const std::string& path, const ConfigItemTable& table);

// Both show their own failure messages and, on success, clear ConfigModified
// and set the window title to "<title> - VELOR ZEB40".
bool ReadConfigFile(ConfigDocument& document, ConfigState& config, Operator& op);
bool WriteConfigFile(ConfigDocument& document, ConfigState& config, Operator& op);

} // namespace zeb40
