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
    ReplayingPeer peer(all.substr(split));
    zeb40::ReadBackDecoder decoder(data[0] & 1);
    while (!text.empty()) {
        std::size_t length = std::min<std::size_t>(text.size(), 79);
        std::size_t lf = text.substr(0, length).find('\n');
        if (lf != std::string_view::npos)
            length = lf + 1;
        if (decoder.WorkOnPiece(text.substr(0, length), peer))
            break;
        text.remove_prefix(length);
    }
    return 0;
}
