#pragma once
// Writes flash update packages for the emulated unit: multipart/mixed with a
// ".jam" part in 7bit, then the firmware image as a ".rom" part in base64, an
// empty line after the data and the closing delimiter.

#include <cstdint>
#include <string>
#include <vector>

namespace zeb40::sim {

struct PackageLayout {
    std::string boundary = "ZEB40_Flash_Update_Package";
    std::string jamName = "zeb40.jam";
    std::string romName = "zeb40.rom";
    // The logic part is carried but never used by the program.
    std::vector<std::string> jamLines = {"NOTE \"CREATOR\" \"zeb40-sim make-package\";",
                                         "NOTE \"CONTENT\" \"ZEB40 logic unchanged\";"};
    std::size_t lineLength = 76; // base64 characters per line
    std::string lineEnd = "\r\n";
};

std::string FlashPackageText(const std::vector<std::uint8_t>& image,
                             const PackageLayout& layout = {});

// Puts the version where the unit looks for it when it restarts (see
// firmware_image in sim/FlashMode.h), growing a shorter image.
void StampFirmwareVersion(std::vector<std::uint8_t>& image, std::uint16_t version);

// "zeb40-sim make-package IMAGE [-o OUT] [--version=HEX]"; args start after
// "make-package". Returns the exit code.
int MakePackageCommand(const std::vector<std::string>& args);

} // namespace zeb40::sim
