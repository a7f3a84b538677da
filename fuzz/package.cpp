// Flash update packages of any content: the whole-package check and the part
// locators.
#include "flash/PackageCheck.h"
#include "flash/PackageLocator.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view package(reinterpret_cast<const char*>(data), size);
    zeb40::CheckPackage(package);
    zeb40::PackageIndex index;
    zeb40::LocateRomPart(package, index);
    return 0;
}
