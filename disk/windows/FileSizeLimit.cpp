#include "disk/FileSizeLimit.h"

namespace zeb40 {

// Windows has no file-size limit signal: a write over a quota simply fails.
void TreatFileSizeLimitAsWriteError() {}

} // namespace zeb40
