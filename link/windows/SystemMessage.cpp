#include "link/windows/SystemMessage.h"

#include "link/windows/WideText.h"

#include <windows.h>

namespace zeb40 {

std::string SystemMessage(unsigned long code) {
    wchar_t text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text / sizeof text[0], nullptr);
    while (length > 0 &&
           (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' '))
        --length;
    if (length == 0)
        return "Error " + std::to_string(code);
    // The system speaks the user's language.
    return Utf8FromWide(text, length);
}

} // namespace zeb40
