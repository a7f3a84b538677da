#include "flash/FlashError.h"

#include "resources/Placeholder.h"
#include "resources/Strings.h"

namespace zeb40 {
namespace {

constexpr std::size_t MaxDetail = 79;

} // namespace

FlashError MakeFlashError(int number, const std::string& format, const std::string& argument) {
    // A C string ends at NUL: bytes from the unit or the file may hold one.
    std::string detail =
        strings::FillPlaceholder(format, std::string_view(argument).substr(0, argument.find('\0')));
    if (detail.size() > MaxDetail)
        detail.resize(MaxDetail);
    return {number, detail};
}

void ReportFlashError(Operator& op, const FlashError& error) {
    op.ShowMessage(strings::FillPlaceholder(strings::FlashError, error.detail),
                   strings::ApplicationName, MessageIcon::Exclamation);
}

} // namespace zeb40
