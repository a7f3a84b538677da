// Configuration files of any length and content.
#include "files/ConfigFile.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zeb40::fuzz::SilentOperator op;
    zeb40::ConfigDocument document;
    document.path = zeb40::fuzz::WriteScratchFile("config.zeb", data, size);
    zeb40::ConfigState config;
    const zeb40::ConfigItemTable before = config.table;
    if (!zeb40::ReadConfigFile(document, config, op) && config.table != before)
        __builtin_trap(); // a refused file must leave the table untouched
    return 0;
}
