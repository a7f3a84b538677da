// usercode, profile, clock and reorganize: the unit's own functions.

#include "cli/Commands.h"
#include "cli/SettingsListing.h"
#include "cli/UnitConnection.h"
#include "config/ClockWords.h"
#include "config/ConfigEditor.h"
#include "config/ProfileCommands.h"
#include "resources/Strings.h"
#include "services/UserCode.h"

#include <cstdio>
#include <ostream>

namespace zeb40::cli {
namespace {

// A whole decimal number within the bounds, as the windows' number fields
// take it; the standard validation text otherwise.
std::optional<int> NumberInRange(const std::string& text, int minimum, int maximum,
                                 std::string& error) {
    long long value = 0;
    bool digits = !text.empty() && text.size() <= 12;
    for (char c : text) {
        if (c < '0' || c > '9') {
            digits = false;
            break;
        }
        value = value * 10 + (c - '0');
    }
    if (!digits) {
        error = "Please enter a positive integer.";
        return std::nullopt;
    }
    if (value < minimum || value > maximum) {
        error = "Please enter an integer between " + std::to_string(minimum) + " and " +
                std::to_string(maximum) + ".";
        return std::nullopt;
    }
    return static_cast<int>(value);
}

} // namespace

ExitCode RunUserCode(CliContext& context) {
    std::string error;
    auto code = NumberInRange(context.invocation.words[0], 0, 9999, error);
    if (!code)
        return context.Fail(ExitCode::Usage,
                            "user code '" + context.invocation.words[0] + "': " + error);
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;
    const std::uint32_t word = UserCodeWord(*code);
    const UserCodeDelivery delivery = DeliverUserCode(context.link, word);
    context.link.CloseIfOpen();
    context.result["userCode"] = *code;
    context.result["word"] = HexText(word);
    // The refusal is the news here, not the cable the window's message names.
    if (!delivery.Accepted()) {
        const std::string refused = ReplyCodeName(delivery.failure.Reply());
        return FailExchange(context, delivery.failure,
                            delivery.failedAt == UserCodeDelivery::Step::Prepare
                                ? "'A' 0 before the user code (" + refused + ")"
                                : "the user code (" + refused + ")");
    }
    if (!context.JsonOutput())
        context.out << "User code " << *code << " accepted\n";
    return ExitCode::Success;
}

ExitCode RunProfile(CliContext& context) {
    const std::string& verb = context.invocation.words[0];
    const bool load = verb == "load";
    if (!load && verb != "save")
        return context.Fail(ExitCode::Usage,
                            "'profile " + verb + "': use 'profile load N' or 'profile save N'");
    std::string error;
    auto number = NumberInRange(context.invocation.words[1], 0,
                                load ? MaxLoadProfileNumber : MaxUserProfileNumber, error);
    if (!number)
        return context.Fail(ExitCode::Usage,
                            "profile number '" + context.invocation.words[1] + "': " + error);
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;
    context.result["profile"] = *number;
    ConfigState config;

    if (load) {
        const LinkResult loaded = LoadProfileNumber(context.link, *number, context.op);
        // The settings are read back whatever the load said, as the window does.
        const LinkResult readBack = ReadConfigFromUnit(context.link, config.table, "", context.op);
        if (!readBack)
            return FailExchange(context, readBack, "to report its settings");
        if (!loaded) {
            // The window reports nothing for the factory settings; the others
            // have had their message shown.
            if (*number == 0)
                return context.Fail(ExitCodeFor(loaded), strings::CantLoadProfile);
            context.result["error"] = ProfileFailureText(loaded, strings::CantLoadProfile);
            return ExitCodeFor(loaded);
        }
        if (!context.JsonOutput())
            context.out << (*number == 0 ? std::string("Factory settings loaded")
                                         : "Profile " + std::to_string(*number) + " loaded")
                        << "; the unit's settings are now:\n";
        ListSettings(context, config.table);
        return ExitCode::Success;
    }

    if (LinkResult read = ReadConfigFromUnit(context.link, config.table, "", context.op); !read)
        return FailExchange(context, read, "to report its settings");
    ConfigEditor editor(context.link, config, context.op);
    MemoryReport report;
    LinkResult applied;
    const std::optional<LinkResult> saved =
        SaveUserProfileNumber(context.link, *number, context.op, [&] {
            applied = editor.ApplyAll(ShownValues(config.table), report);
        });
    if (!saved)
        return context.Fail(ExitCode::CommunicationError, strings::CantSaveProfile);
    // The window lets the save go on after a failed apply; here the profile
    // would not hold the settings asked for, so the command fails with it.
    if (!applied && context.op.Declined())
        return FailDeclinedReorganization(context);
    if (!applied && *saved)
        return FailExchange(context, applied, "the settings");
    if (!*saved) {
        context.result["error"] = ProfileFailureText(*saved, strings::CantSaveProfile);
        return ExitCodeFor(applied ? *saved : applied);
    }
    if (!context.JsonOutput())
        context.out << "Settings saved as user profile " << *number << "\n";
    return ExitCode::Success;
}

ExitCode RunClock(CliContext& context) {
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;
    ConfigState config;
    if (ExitCode read = ReadUnitItems(context, config.table, {item::Norm}, "to report its norm");
        read != ExitCode::Success)
        return read;
    const bool ntsc = IsNtsc(config.table);
    const LocalClock clock = ReadLocalClock();
    const int bias = LocalStandardBiasMinutes();
    // All three go out whatever the replies, as Set Clock does; only the exit
    // status tells whether the unit took them.
    const LinkResult accepted = SetClock(context.link, clock, bias, ntsc);

    context.result["timeWord"] = HexText(ClockTimeWord(clock, ntsc));
    context.result["dateWord"] = HexText(ClockDateWord(clock, bias));
    if (!accepted)
        return FailExchange(context, accepted, "the clock setting");
    if (!context.JsonOutput()) {
        char text[64];
        (void)std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", clock.year,
                            clock.month, clock.day, clock.hours, clock.minutes, clock.seconds);
        context.out << "Clock set to " << text << "\n";
    }
    return ExitCode::Success;
}

ExitCode RunReorganize(CliContext& context) {
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;
    UnitLink& link = context.link;
    ItemStatus status;
    if (LinkResult queried = QueryItemStatus(link, status); !queried)
        return FailExchange(context, queried, "to report its item status");
    context.result["capacity"] = status.capacity;
    context.result["inUse"] = status.inUse;
    if (status.inUse == 0) {
        context.result["reorganized"] = false;
        if (!context.JsonOutput())
            context.out << "Nothing to reorganize: no config item is in use\n";
        return ExitCode::Success;
    }
    if (context.op.Ask(strings::ReorganizeQuestion, strings::ReorganizeCaption, Buttons::OkCancel,
                       MessageIcon::Exclamation, Answer::Ok) != Answer::Ok) {
        context.result["reorganized"] = false;
        context.result["error"] = "reorganization declined";
        return ExitCode::Declined;
    }
    ConfigState config;
    ConfigEditor editor(link, config, context.op);
    MemoryReport report;
    // The editor has shown "Communication error" itself.
    if (LinkResult reorganized = editor.ReorganizeConfigMemory(report); !reorganized) {
        context.result["error"] = strings::CommunicationError;
        return ExitCodeFor(reorganized);
    }
    const std::string itemsText = report.count ? ItemsAvailableText(*report.count) : "";
    context.result["reorganized"] = true;
    context.result["itemsText"] = itemsText;
    if (!context.JsonOutput())
        context.out << "Config memory reorganized; " << itemsText << "\n";
    return ExitCode::Success;
}

} // namespace zeb40::cli
