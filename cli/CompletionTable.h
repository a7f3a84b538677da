#pragma once
// The command records as the bash completion reads them ("zeb40ctl
// --completion"), so that the script lists no command or option itself:
//
//   global - OPTION...          every global option word
//   values - OPTION...          the option words that take a value
//   command NAME ARGUMENT OPTION...
//                               ARGUMENT: what the first argument is: zeb,
//                               zcf (files), setting, command, words or -
//   words NAME WORD...          the words of a command's first argument

#include <string>

namespace zeb40::cli {

std::string CompletionTable();

} // namespace zeb40::cli
