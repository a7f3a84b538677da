#pragma once
// The read-back of the programmed flash: decodes the ".rom" data piece by piece
// with the standard base64 alphabet, asks the unit for each decoded byte and
// compares its 2-hex-digit reply. On a piece that ends in "=" pad characters up
// to 4 requests go out ahead in one write.

#include "flash/PackageReader.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zeb40 {

// The unit as the read-back needs it.
class ReadBackPeer {
  public:
    virtual ~ReadBackPeer() = default;
    // Sends count "9" characters in one write.
    virtual void RequestBytes(std::size_t count) = 0;
    // The 2 characters of one reply; fewer when they did not arrive in time.
    virtual std::string ReadReply() = 0;
};

class ReadBackDecoder {
  public:
    // passed: the outcome before the first comparison (the programming result).
    explicit ReadBackDecoder(bool passed) : passed_(passed) {}

    // Works through one piece as PackageReader::ReadPiece returns it; true when
    // the read-back is complete (data end, "=" or a failed comparison).
    bool WorkOnPiece(std::string_view piece, ReadBackPeer& peer);
    bool Passed() const { return passed_; }
    std::uint64_t BytesCompared() const { return compared_; }

    // How many bytes the read-back compares when every byte matches, working
    // through the pieces from the file's position on as WorkOnPiece does.
    static std::uint64_t BytesToCompare(PackageReader file);

  private:
    // Without a peer every byte counts as compared and matching.
    bool Work(std::string_view piece, ReadBackPeer* peer);

    std::uint32_t accumulator_ = 0;
    int bitsHeld_ = 0;
    bool passed_;
    std::uint64_t compared_ = 0;
};

// The value of c in the standard base64 alphabet, or -1.
int Base64Value(char c);

} // namespace zeb40
