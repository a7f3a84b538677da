#pragma once
// The program's string table. Every text the operator sees comes from here or
// is a formatted detail of the flash update.

#include <string>

namespace zeb40::strings {

inline constexpr const char* ErrorCaption = "ZEB40 Error";                 // 102
inline constexpr const char* SelectPortName = "Please select a port name"; // 103
inline constexpr const char* CantOpenPort = "Can't open port";             // 104
inline constexpr const char* CantConnect =
    "Can't connect to ZEB40.  Please check cable and port name";         // 105
inline constexpr const char* CommunicationError = "Communication error"; // 106
inline constexpr const char* ItemsAvailable = "%d items available";      // 107
inline constexpr const char* ReorganizeQuestion =                        // 110
    "Do you want to reorganize config memory to make room for your settings?\n"
    "\n"
    "Warning:  Pressing OK will put the ZEB40 in the idle state for some seconds.\n"
    "Timecode reading or generating will stop for that period.\n"
    "\n"
    "Do not power off the unit until reorganization is completed!";
// 108: the news that no item is left, then the reorganisation question.
inline std::string NoItemsLeftQuestion() {
    return std::string("There are no config items left in the ZEB40.\n\n") + ReorganizeQuestion;
}
inline constexpr const char* FailedToOpenFile = "Failed to open file!\n";          // 111
inline constexpr const char* ConfigExtension = "zeb";                              // 112
inline constexpr const char* ConfigFilesFilter = "ZEB40 Config Files";             // 113
inline constexpr const char* AllFilesFilter = "All Files";                         // 114
inline constexpr const char* ProfileDoesNotExist = "Profile does not exist";       // 116
inline constexpr const char* AppCaption = "VELOR ZEB40";                           // 117
inline constexpr const char* ConfigFileHeader = "ZEB40 Configuration File";        // 118
inline constexpr const char* SaveChangesIn = "Save changes in %s?";                // 119
inline constexpr const char* CantLoadProfile = "Can't load profile";               // 120
inline constexpr const char* FlashExtension = "zcf";                               // 121
inline constexpr const char* FlashFilesFilter = "ZEB40 Flash Update Files";        // 122
inline constexpr const char* FlashSuccess = "Flash update successfully completed"; // 123
inline constexpr const char* FlashError =
    "Error while updating Flash ROM.  Please try again.\n%1";                          // 124
inline constexpr const char* CantSaveProfile = "Can't save user profile";              // 125
inline constexpr const char* NotValidZebFile = "This is not a valid ZEB file!\n";      // 126
inline constexpr const char* LegacyConfigFileHeader = "ZEB-40 Configuration File";     // 127
inline constexpr const char* ReorganizeCaption = "ZEB40 Config Memory Reorganization"; // 128

// Caption of the application's own message box (file and flash messages).
inline constexpr const char* ApplicationName = "ZEB40";
inline constexpr const char* VersionLine = "ZEB40 Version 3.50";
inline constexpr const char* FailedToLaunchHelp = "Failed to launch help.";

} // namespace zeb40::strings
