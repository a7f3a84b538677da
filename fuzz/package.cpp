// Flash update packages of any content: the whole-package check and the part
// locators.
#include "flash/PackageCheck.h"
#include "flash/PackageLocator.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string path = zeb40::fuzz::WriteScratchFile("package.zcf", data, size);
    zeb40::CheckPackage(path);
    zeb40::PackageIndex index;
    zeb40::LocateRomPart(path, index);
    return 0;
}
