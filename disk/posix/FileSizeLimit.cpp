#include "disk/FileSizeLimit.h"

#include <csignal>

namespace zeb40 {

void TreatFileSizeLimitAsWriteError() {
    // Ignored, SIGXFSZ turns into EFBIG from write(); the setting passes on
    // to the copies of zeb40ctl that a run on several units starts.
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace zeb40
