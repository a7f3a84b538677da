#include "disk/FileSizeLimit.h"
#include "shell/Application.h"

int main(int argc, char** argv) {
    zeb40::TreatFileSizeLimitAsWriteError();
    return zeb40::RunApplication(argc, argv, ZEB40_REVISION);
}
