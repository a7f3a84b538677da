// monitor, generator-set and jam: the running timecode and the generator.

#include "cli/Commands.h"
#include "cli/UnitConnection.h"
#include "config/TimecodeCommands.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <thread>

namespace zeb40::cli {
namespace {

constexpr auto PollInterval = std::chrono::milliseconds(200);
// Polls that may fail one after the other before the monitor gives up (a
// silent unit costs a second each); a line that is gone ends it at once.
constexpr int FailedPollLimit = 5;

struct TimeFields {
    int hours, minutes, seconds, frames;
};

// "HH:MM:SS:FF" with the ranges of the generator's time fields.
std::optional<TimeFields> ParseTime(const std::string& text, std::string& error) {
    int fields[4] = {};
    const int maxima[4] = {23, 59, 59, 29};
    std::size_t position = 0;
    for (int i = 0; i < 4; ++i) {
        std::size_t start = position;
        long value = 0;
        while (position < text.size() && text[position] >= '0' && text[position] <= '9' &&
               position - start < 3) {
            value = value * 10 + (text[position] - '0');
            ++position;
        }
        bool separatorOk =
            i == 3 ? position == text.size() : position < text.size() && text[position] == ':';
        if (position == start || !separatorOk) {
            error = "'" + text + "' is no time HH:MM:SS:FF";
            return std::nullopt;
        }
        if (value > maxima[i]) {
            error = "Please enter an integer between 0 and " + std::to_string(maxima[i]) + ".";
            return std::nullopt;
        }
        fields[i] = static_cast<int>(value);
        if (i < 3)
            ++position;
    }
    return TimeFields{fields[0], fields[1], fields[2], fields[3]};
}

// Waits out the rest of the poll interval; false when interrupted.
bool WaitForNextPoll(CliContext& context, std::chrono::steady_clock::time_point due) {
    while (std::chrono::steady_clock::now() < due) {
        if (context.Interrupted())
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return !context.Interrupted();
}

} // namespace

ExitCode RunMonitor(CliContext& context) {
    const Invocation& invocation = context.invocation;
    bool reader = invocation.Has("--reader");
    bool generator = invocation.Has("--generator") || !reader;
    long count = -1;
    if (invocation.Has("--count")) {
        const std::string& text = invocation.options.at("--count");
        char* end = nullptr;
        count = std::strtol(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || count < 1 || count > 1000000)
            return context.Fail(ExitCode::Usage, "--count '" + text +
                                                     "': Please enter an integer between 1 "
                                                     "and 1000000.");
    }
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;

    // Without --count the monitor runs until stopped, so a script following it
    // gets one JSON object per poll as it comes (JSON Lines); a counted run is
    // one document, as every other command.
    context.jsonLines = context.JsonOutput() && count < 0;
    Json* lines = context.JsonOutput() && !context.jsonLines
                      ? &(context.result["lines"] = Json::array())
                      : nullptr;
    // With both sources they take turns, the reader first, as the window's
    // alternation does.
    bool readerTurn = true;
    long shown = 0;
    int failedInARow = 0;
    auto due = std::chrono::steady_clock::now();
    while (count < 0 || shown < count) {
        if (!WaitForNextPoll(context, due))
            break;
        // A slow poll delays the next one instead of causing a burst.
        due = std::max(due + PollInterval, std::chrono::steady_clock::now());
        TimecodeSource source = TimecodeSource::Generator;
        if (reader && (!generator || readerTurn))
            source = TimecodeSource::Reader;
        readerTurn = !readerTurn;
        std::string caption;
        if (LinkResult polled = ReadTimecode(context.link, source, caption); !polled) {
            if (context.link.Lost() || ++failedInARow >= FailedPollLimit)
                return FailExchange(context, polled, "to report its timecode");
            continue;
        }
        failedInARow = 0;
        ++shown;
        const char* name = source == TimecodeSource::Reader ? "reader" : "generator";
        Json line = {{"source", name}, {"caption", caption}};
        if (context.jsonLines) {
            context.out << JsonLine(line) << std::endl;
        } else if (lines) {
            lines->push_back(std::move(line));
        } else {
            if (reader && generator)
                context.out << name << " ";
            context.out << caption << std::endl;
        }
    }
    return ExitCode::Success;
}

ExitCode RunGeneratorSet(CliContext& context) {
    std::string error;
    auto time = ParseTime(context.invocation.words[0], error);
    if (!time)
        return context.Fail(ExitCode::Usage, error);
    std::string userBits = context.invocation.words.size() > 1 ? context.invocation.words[1] : "";
    if (userBits.size() > 8)
        return context.Fail(ExitCode::Usage, "user bits '" + userBits +
                                                 "': Please enter no more than 8 characters.");
    auto userWord = ParseUserBits(userBits);
    if (!userBits.empty() && !userWord)
        return context.Fail(ExitCode::Usage,
                            "user bits '" + userBits + "' do not start with a hexadecimal digit");
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;

    // Every command goes out whatever the replies before it were, as the Set
    // button does; only the exit status tells whether all were accepted.
    UnitLink& link = context.link;
    std::uint32_t timecode = TimecodeWord(time->hours, time->minutes, time->seconds, time->frames);
    const LinkResult accepted = SetGenerator(link, timecode, userBits);

    context.result["timecode"] = HexText(timecode);
    context.result["userBits"] = userWord ? Json(HexText(*userWord)) : Json();
    if (!accepted)
        return FailExchange(context, accepted, "the generator time");
    if (!context.JsonOutput()) {
        char text[16];
        (void)std::snprintf(text, sizeof text, "%02d:%02d:%02d:%02d", time->hours, time->minutes,
                            time->seconds, time->frames);
        context.out << "Generator set to " << text;
        if (userWord) {
            (void)std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(*userWord));
            context.out << ", user bits " << text;
        }
        context.out << "\n";
    }
    return ExitCode::Success;
}

ExitCode RunJam(CliContext& context) {
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;
    if (LinkResult jammed = SingleJam(context.link); !jammed)
        return FailExchange(context, jammed, "the jam");
    if (!context.JsonOutput())
        context.out << "Jam sent\n";
    return ExitCode::Success;
}

} // namespace zeb40::cli
