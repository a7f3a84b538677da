#pragma once
// Downloading a user code: 'A' 0, then 'D' with the code's decimal digits
// followed by "00" read as hexadecimal (1234 travels as 123400h).

#include "link/UnitLink.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zeb40 {

// The command line's code text + "00" read as "%x"; empty when no number.
std::optional<std::uint32_t> UserCodeWordFromText(const std::string& code);
// The dialog's number as "%04d00" read as hexadecimal.
std::uint32_t UserCodeWord(int code);

// How the unit took a user code.
struct UserCodeDelivery {
    enum class Step { None, Prepare, Code };
    Step failedAt = Step::None; // Prepare: 'A' 0; Code: 'D' with the code
    LinkResult failure;         // how the failing exchange went, wanting OK
    bool Accepted() const { return failedAt == Step::None; }
};

// 'A' 0, then 'D' with the word; stops at the first that is not answered OK.
UserCodeDelivery DeliverUserCode(UnitLink& link, std::uint32_t word);

struct UnattendedResult {
    bool ok = false;
    std::string failure; // one line for standard error when not ok
};

// The unattended download without any window; the port is closed on return.
UnattendedResult DownloadUserCode(UnitLink& link, const std::string& portName,
                                  const std::string& userCode);

} // namespace zeb40
