#pragma once
// How one exchange with the unit went, as the link saw it: so that callers
// tell a refusal from a silent, garbled or lost line without asking the unit
// again. Converts to true only for Ok.

#include "link/ReplyCode.h"

namespace zeb40 {

enum class LinkOutcome {
    Ok,      // the reply decoded; reply() tells which
    Refused, // the unit answered with a two-letter code other than the one wanted
    Silent,  // nothing (or only part of a line) came within the reply wait
    BadEcho, // the echo named another letter or value than was sent
    Garbled, // the reply could not be decoded, or was a number where none fits
    Lost,    // the line is gone or would not take the command (or a stop was asked)
};

class LinkResult {
  public:
    constexpr LinkResult() = default;
    constexpr LinkResult(LinkOutcome outcome, ReplyCode reply) : outcome_(outcome), reply_(reply) {}

    static constexpr LinkResult Ok(ReplyCode reply = ReplyCode::OK) {
        return {LinkOutcome::Ok, reply};
    }
    static constexpr LinkResult Refused(ReplyCode code) { return {LinkOutcome::Refused, code}; }
    static constexpr LinkResult Failed(LinkOutcome outcome) { return {outcome, ReplyCode::OK}; }

    constexpr LinkOutcome Outcome() const { return outcome_; }
    // The decoded reply of Ok, or the refusing code of Refused.
    constexpr ReplyCode Reply() const { return reply_; }
    constexpr bool IsOk() const { return outcome_ == LinkOutcome::Ok; }
    constexpr bool IsRefused() const { return outcome_ == LinkOutcome::Refused; }
    constexpr explicit operator bool() const { return IsOk(); }

    // A decoded reply other than the wanted one: a two-letter code refuses,
    // a number (or a pair) where a code or another form was wanted is
    // garbled. Failures pass unchanged.
    constexpr LinkResult Expecting(ReplyCode wanted) const {
        if (!IsOk() || reply_ == wanted)
            return *this;
        if (reply_ == ReplyCode::Value || reply_ == ReplyCode::ValuePair)
            return Failed(LinkOutcome::Garbled);
        return Refused(reply_);
    }

    friend constexpr bool operator==(LinkResult a, LinkResult b) {
        return a.outcome_ == b.outcome_ && a.reply_ == b.reply_;
    }

  private:
    LinkOutcome outcome_ = LinkOutcome::Ok;
    ReplyCode reply_ = ReplyCode::OK;
};

// For sequences that send every command whatever the replies before it:
// what the earlier exchange was unless it went well, else the later one.
constexpr LinkResult FirstFailure(LinkResult earlier, LinkResult later) {
    return earlier ? later : earlier;
}

// "Ok", "Refused", "Silent"... for test output.
const char* LinkOutcomeName(LinkOutcome outcome);

} // namespace zeb40
