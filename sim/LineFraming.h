#pragma once
// The unit's side of the line protocol: received bytes gathered into command
// lines, and an answer framed into its echo line and reply line.

#include "sim/Command.h"

#include <optional>
#include <string>

namespace zeb40::sim {

// CR ends a line and LF is ignored; a backspace on an empty line is the
// presence check on its own. A line keeps its first 64 characters, as the
// unit's line buffer does.
class LineAssembler {
  public:
    // The line that byte completes, if it completes one.
    std::optional<std::string> Take(char byte);

  private:
    std::string pending_;
};

// The letter and the hexadecimal digits right after it.
ReceivedCommand ParseCommand(const std::string& line);

// An answer before it goes out: the echo's letter and value text, the reply
// line's text and the line end of both.
struct AnswerLines {
    char letter = 0;
    std::string echoValue; // hexadecimal digits, or empty
    std::string reply;
    std::string lineEnd = "\r\n";

    std::string EchoLine() const { return letter + echoValue + lineEnd; }
    std::string ReplyLine() const { return reply + lineEnd; }
};

// The answer as the unit gives it: the letter, the value it understood
// (unless the handler echoes none) and the handler's reply.
AnswerLines FrameAnswer(const ReceivedCommand& command, const Response& response);

} // namespace zeb40::sim
