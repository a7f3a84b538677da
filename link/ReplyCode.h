#pragma once

#include <optional>
#include <string_view>

namespace zeb40 {

// The decoded kind of a reply line; the numbers are the unit's.
enum class ReplyCode {
    Value = 0,
    ValuePair = 1,
    OK = 2,
    PI = 3,
    PR = 4,
    PM = 5,
    AR = 6,
    CO = 7,
    OV = 8,
    OP = 9,
    CL = 10,
    NC = 11,
    UC = 12,
};

// "OK" -> ReplyCode::OK; letter case matters.
std::optional<ReplyCode> ReplyCodeFromLetters(std::string_view twoLetters);
const char* ReplyCodeName(ReplyCode code);

} // namespace zeb40
