// The read-back decoder: pieces of base64 text against arbitrary unit replies.
#include "flash/ReadBackDecoder.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

class ReplayingPeer : public zeb40::ReadBackPeer {
  public:
    explicit ReplayingPeer(std::string_view replies) : replies_(replies) {}
    void RequestBytes(std::size_t) override {}
    std::string ReadReply() override {
        std::string reply(replies_.substr(0, 2));
        replies_.remove_prefix(reply.size());
        return reply;
    }

  private:
    std::string_view replies_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // First byte splits the input into package text and unit replies.
    if (size < 1)
        return 0;
    std::string_view all(reinterpret_cast<const char*>(data + 1), size - 1);
    std::size_t split = std::min<std::size_t>(all.size(), data[0] * 4u);
    std::string_view text = all.substr(0, split);
    // The count the read-ahead works to: never fewer than any read-back compares.
    const std::uint64_t total = zeb40::ReadBackDecoder::BytesToCompare(zeb40::PackageReader(text));
    ReplayingPeer peer(all.substr(split));
    zeb40::ReadBackDecoder decoder(data[0] & 1);
    // Pieces as the update reads them from the package.
    zeb40::PackageReader reader(text);
    while (auto piece = reader.ReadPiece()) {
        if (decoder.WorkOnPiece(*piece, peer))
            break;
    }
    if (decoder.BytesCompared() > total)
        __builtin_trap();
    return 0;
}
