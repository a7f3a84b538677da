#include "flash/FlashUpdate.h"

#include "flash/FlashModeLink.h"
#include "flash/FlashProgress.h"
#include "flash/PackageCheck.h"
#include "flash/PackageFile.h"
#include "flash/PackageLocator.h"
#include "flash/PagePacer.h"
#include "flash/ProgrammingPiece.h"
#include "flash/ReadBackDecoder.h"
#include "flash/UnitReadBack.h"
#include "operator/PortRefusal.h"
#include "resources/ProgramIdentity.h"
#include "resources/Strings.h"

#include <algorithm>
#include <chrono>

namespace zeb40 {
namespace {

using namespace std::chrono_literals;

constexpr auto HeldWriteRetry = std::chrono::milliseconds(static_cast<int>(ReplyWait::FlashMode));
constexpr auto PagePause = 80ms;
constexpr std::uint16_t FirmwareStart = 0x2000;
constexpr std::uint16_t EraseBlockSize = 0x2000;
constexpr int EraseBlocks = 5;

// The update from the mode switch to the restart, one phase per method.
class FlashSequence {
  public:
    FlashSequence(UnitLink& link, std::string_view package, PackageIndex& index, Operator& op,
                  FlashOptions options)
        : link_(link), unit_(link), package_(package), index_(index), op_(op), options_(options) {}

    FlashCheck TestUnit();
    FlashCheck Erase();
    FlashCheck Program();
    FlashCheck ReadBack();
    FlashCheck Restart();

  private:
    bool SendProgrammed(PagePacer& pacer, std::string_view text);
    int ProgressAt(int start, int span, std::int64_t position) const {
        return flash_progress::Position(start, span, position, index_.romStart, dataEnd_);
    }

    UnitLink& link_;
    FlashModeLink unit_;
    std::string_view package_;
    PackageIndex& index_;
    Operator& op_;
    FlashOptions options_;
    std::int64_t dataEnd_ = 0;       // E: the position after the delimiter line
    bool programmedCleanly_ = false; // the programming result was "00"
};

FlashCheck FlashSequence::TestUnit() {
    if (auto error = unit_.EnterFlashMode())
        return error;
    op_.SetProgress(flash_progress::InFlashMode);
    if (unit_.Exchange("5", 2) == "00")
        return MakeFlashError(31, "EPLD does not work (31)");
    const std::string manufacturer = unit_.Exchange("1", 2);
    if (manufacturer != "01" && manufacturer != "20")
        return MakeFlashError(32, "Flash manufacturer 0x%s unknown (32)", manufacturer);
    const std::string chip = unit_.Exchange("2", 2);
    if (chip != "20")
        return MakeFlashError(33, "Flash chip %s unknown (33)", chip);
    return std::nullopt;
}

FlashCheck FlashSequence::Erase() {
    for (int k = 0; k < EraseBlocks; ++k) {
        if (auto error = unit_.SetAddressPointer(
                static_cast<std::uint16_t>(FirmwareStart + k * EraseBlockSize)))
            return error;
        if (unit_.Exchange("C", 2) != "00")
            return MakeFlashError(34, "Flash erase failed (34)");
        op_.SetProgress(flash_progress::ErasedFirst + 8 * k);
    }
    return std::nullopt;
}

// Programmed characters. A write held up on the line is resumed for as long
// as the unit may take to answer without taking a character; a vanished
// device or a stop ends the sending.
bool FlashSequence::SendProgrammed(PagePacer& pacer, std::string_view text) {
    auto deadline = link_.Clock().Now() + HeldWriteRetry;
    for (;;) {
        const std::size_t sent = pacer.Send(text);
        text.remove_prefix(sent);
        if (text.empty())
            return true;
        if (sent > 0)
            deadline = link_.Clock().Now() + HeldWriteRetry;
        else if (unit_.Lost() || link_.Clock().Now() >= deadline)
            return false;
    }
}

FlashCheck FlashSequence::Program() {
    if (index_.romStart == 0) {
        if (auto error = LocateRomPart(package_, index_))
            return error;
    }
    PackageReader file(package_);
    file.Seek(index_.romStart);
    if (!FindLine(file, index_.delimiter))
        return MakeFlashError(36, "%s missing (36)", index_.delimiter);
    dataEnd_ = file.Tell();
    file.Seek(index_.romStart);

    PagePacer pacer(unit_, FirmwareStart, PagePause);
    if (auto error = unit_.SetAddressPointer(FirmwareStart))
        return error;
    unit_.Send("I");
    // A port that is gone ends the sending: the rest of the data would only
    // add a timeout per character.
    bool writing = true;
    for (;;) {
        auto piece = file.ReadPiece();
        op_.PumpMessages();
        op_.SetProgress(ProgressAt(flash_progress::ProgrammingStart,
                                   flash_progress::ProgrammingSpan, file.Tell()));
        if (!piece)
            return MakeFlashError(37, "Unexpected end of .rom file (37)");
        ProgrammingPiece part = SplitProgrammingPiece(*piece);
        if (part.end == ProgrammingPiece::End::EmptyLine) {
            unit_.WaitForLine();
            unit_.Wait(200ms);
            unit_.Send("=");
            break;
        }
        if (writing)
            writing = SendProgrammed(pacer, part.text);
        if (part.end == ProgrammingPiece::End::Equals)
            break;
    }
    // The unit answers once it has the last character, which may still be
    // on its way long after the write returned.
    unit_.WaitForLine();
    programmedCleanly_ = unit_.Read(2) == "00";
    if (!FindLine(file, index_.delimiter))
        return MakeFlashError(38, "%s missing (38)", index_.delimiter);
    return std::nullopt;
}

FlashCheck FlashSequence::ReadBack() {
    PackageReader file(package_);
    file.Seek(index_.romStart);
    ReadBackDecoder decoder(programmedCleanly_);
    unit_.WaitForLine();
    unit_.Wait(100ms);
    unit_.Purge();
    if (auto error = unit_.SetAddressPointer(FirmwareStart))
        return error;
    UnitReadBack stopAndWait(unit_);
    const auto depth = static_cast<std::uint64_t>(std::clamp(options_.readAhead, 1, MaxReadAhead));
    ReadAheadReadBack readAhead(unit_, depth,
                                depth > 1 ? ReadBackDecoder::BytesToCompare(file) : 0);
    ReadBackPeer* peer = &stopAndWait;
    if (depth > 1)
        peer = &readAhead;
    for (;;) {
        auto piece = file.ReadPiece();
        op_.PumpMessages();
        op_.SetProgress(
            ProgressAt(flash_progress::ReadBackStart, flash_progress::ReadBackSpan, file.Tell()));
        if (!piece)
            return MakeFlashError(40, "Unexpected end of .rom file (40)");
        if (decoder.WorkOnPiece(*piece, *peer))
            break;
    }
    if (!decoder.Passed())
        return MakeFlashError(41, "Verify error(41)");
    return std::nullopt;
}

FlashCheck FlashSequence::Restart() {
    op_.SetProgress(flash_progress::Maximum);
    if (auto error = unit_.SetAddressPointer(FirmwareStart))
        return error;
    if (unit_.Exchange("G", 1) != "G")
        return MakeFlashError(42, "Firmware restart failed (42)");
    return std::nullopt;
}

FileChoice PackageChoice() {
    const std::string extension = strings::FlashExtension;
    FileChoice choice;
    choice.defaultExtension = extension;
    choice.filters = {
        {std::string(strings::FlashFilesFilter) + " (*." + extension + ")", "*." + extension},
        {std::string(strings::AllFilesFilter) + " (*.*)", "*"},
    };
    return choice;
}

// Opens the port for the update; false after the port's error message.
bool OpenPort(UnitLink& link, const std::string& portName, Operator& op) {
    if (portName.empty()) {
        op.ShowMessage(strings::SelectPortName, strings::ErrorCaption, MessageIcon::Exclamation);
        return false;
    }
    link.CloseIfOpen();
    if (!link.OpenByName(portName)) {
        ShowCantOpenPort(op, link);
        return false;
    }
    return true;
}

std::optional<std::string> ReadPackage(const std::string& path, Operator& op) {
    std::optional<std::string> package = ReadPackageFile(path);
    if (!package)
        op.ShowMessage(strings::FailedToOpenFile, strings::ApplicationName,
                       MessageIcon::Exclamation);
    return package;
}

FlashResult Abort(Operator& op, const FlashError& error) {
    ReportFlashError(op, error);
    if (error.number == 29)
        op.ShowMessage(strings::CantConnect, strings::ApplicationName, MessageIcon::Exclamation);
    op.CloseProgress();
    return FlashResult{FlashOutcome::Aborted, error};
}

// From the progress window on, with the port open. checked: the package has
// passed CheckPackage already.
FlashResult UpdateFromPackage(UnitLink& link, const std::string& package, bool checked,
                              PackageIndex& index, Operator& op, FlashOptions options) {
    const std::string caption = std::string(identity::Product) + " Flash Update";
    if (!op.ShowProgress(caption, 0, flash_progress::Maximum))
        return {FlashOutcome::Cancelled, std::nullopt};
    op.SetProgress(0);
    index.jamStart = index.jamEnd = index.romStart = 0;

    // The whole package is checked before the unit is touched: a package that
    // fails only after the erase would leave the unit without firmware.
    if (!checked) {
        if (auto error = CheckPackage(package))
            return Abort(op, *error);
    }

    FlashSequence sequence(link, package, index, op, options);
    for (auto phase : {&FlashSequence::TestUnit, &FlashSequence::Erase, &FlashSequence::Program,
                       &FlashSequence::ReadBack}) {
        if (auto error = (sequence.*phase)())
            return Abort(op, *error);
    }
    auto restartError = sequence.Restart();
    if (restartError && restartError->number != 42)
        return Abort(op, *restartError);
    if (restartError)
        ReportFlashError(op, *restartError);
    link.CloseIfOpen();
    op.CloseProgress();
    if (restartError)
        return {FlashOutcome::RestartFailed, restartError};
    op.ShowMessage(strings::FlashSuccess, strings::ApplicationName, MessageIcon::Information);
    return {FlashOutcome::Completed, std::nullopt};
}

} // namespace

FlashResult FlashUpdate(UnitLink& link, const std::string& portName, PackageIndex& index,
                        Operator& op) {
    if (!OpenPort(link, portName, op))
        return {FlashOutcome::NoPort, std::nullopt};
    auto chosen = op.ChooseFile(PackageChoice());
    if (!chosen)
        return {FlashOutcome::Cancelled, std::nullopt};
    const std::optional<std::string> package = ReadPackage(chosen->path, op);
    if (!package)
        return {FlashOutcome::Cancelled, std::nullopt};
    return UpdateFromPackage(link, *package, false, index, op, FlashOptions{});
}

FlashResult FlashUpdateFromFile(UnitLink& link, const std::string& portName,
                                const std::string& packagePath, PackageIndex& index, Operator& op,
                                FlashOptions options) {
    const std::optional<std::string> package = ReadPackage(packagePath, op);
    if (!package)
        return {FlashOutcome::Cancelled, std::nullopt};
    if (auto error = CheckPackage(*package)) {
        ReportFlashError(op, *error);
        return {FlashOutcome::Aborted, error};
    }
    if (!OpenPort(link, portName, op))
        return {FlashOutcome::NoPort, std::nullopt};
    return UpdateFromPackage(link, *package, true, index, op, options);
}

} // namespace zeb40
