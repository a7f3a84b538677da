#include "shell/Application.h"

int main(int argc, char** argv) {
    return zeb40::RunApplication(argc, argv, ZEB40_REVISION);
}
