#pragma once
// The ports of a run on several units, and the file name each unit's
// settings go to.

#include "cli/CliArguments.h"

#include <string>
#include <vector>

namespace zeb40::cli {

struct UnitPortList {
    std::vector<std::string> ports; // in the order given
    std::string error;              // one line when the list cannot be used
    bool fileError = false;         // the error is a --ports-from file's
};

// The ports of every --port and --ports-from, in order. A list file has one
// name a line; blanks around it and everything from '#' on do not count. It
// must be a regular file of at most 1 MB with lines of at most 4096
// characters (a file error otherwise). Two names for the same device are an
// error: the second run could not open it.
UnitPortList ListUnitPorts(const std::vector<PortArgument>& arguments);

// The port as a part of a file name: the device path without "/dev/", its
// other slashes as '-' ("/dev/pts/3" -> "pts-3", "COM101" -> "ttyUSB0").
std::string PortFileToken(const std::string& port);

// True when the name holds "{port}" or "{id}", so several units get several
// files.
bool NamesEachUnit(const std::string& pattern);
bool NeedsIdentifier(const std::string& pattern);
// The name with "{port}" and "{id}" replaced.
std::string UnitFileName(const std::string& pattern, const std::string& port,
                         const std::string& identifier);

} // namespace zeb40::cli
