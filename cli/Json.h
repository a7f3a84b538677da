#pragma once
// The --json output. Members keep the order in which a command sets them, so
// a document reads in the same order as the command's text output.

#include <nlohmann/json.hpp>
#include <string>

namespace zeb40::cli {

using Json = nlohmann::ordered_json;

// One document with two-space indentation, without a final line break.
// Bytes that are not UTF-8 (a file name, a message of the system) become
// U+FFFD, so the output always parses.
std::string JsonDocument(const Json& value);

// The same on one line, for output that streams one object per line.
std::string JsonLine(const Json& value);

} // namespace zeb40::cli
