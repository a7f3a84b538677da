#include "flash/FlashError.h"

#include "resources/Strings.h"

namespace zeb40 {
namespace {

constexpr std::size_t MaxDetail = 79;

} // namespace

FlashError MakeFlashError(int number, const std::string& format, const std::string& argument) {
    std::string detail = format;
    if (auto at = detail.find("%s"); at != std::string::npos) {
        // A C string ends at NUL: bytes from the unit or the file may hold one.
        detail.replace(at, 2, argument.substr(0, argument.find('\0')));
    }
    if (detail.size() > MaxDetail)
        detail.resize(MaxDetail);
    return {number, detail};
}

void ReportFlashError(Operator& op, const FlashError& error) {
    std::string text = strings::FlashError;
    text.replace(text.find("%1"), 2, error.detail);
    op.ShowMessage(text, strings::ApplicationName, MessageIcon::Exclamation);
}

} // namespace zeb40
