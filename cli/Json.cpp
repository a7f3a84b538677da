#include "cli/Json.h"

namespace zeb40::cli {
namespace {

std::string Dump(const Json& value, int indent) {
    return value.dump(indent, ' ', false, Json::error_handler_t::replace);
}

} // namespace

std::string JsonDocument(const Json& value) {
    return Dump(value, 2);
}

std::string JsonLine(const Json& value) {
    return Dump(value, -1);
}

} // namespace zeb40::cli
