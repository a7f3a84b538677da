#include "link/PortTransport.h"

#include "link/SerialTransport.h"
#include "link/net/NetworkTransport.h"

namespace zeb40 {
namespace {

class PortTransport final : public ByteTransport {
  public:
    PortTransport() : serial_(MakeSerialTransport()), active_(serial_.get()) {}

    bool Open(const std::string& device) override {
        active_->Close();
        network_ = MakeNetworkTransport(device);
        active_ = network_ ? network_.get() : serial_.get();
        return active_->Open(device);
    }
    void Close() override { active_->Close(); }
    bool IsOpen() const override { return active_->IsOpen(); }
    std::size_t WriteSome(const void* data, std::size_t count, int timeoutMs) override {
        return active_->WriteSome(data, count, timeoutMs);
    }
    std::size_t Read(void* buffer, std::size_t count, ReadBounds bounds) override {
        return active_->Read(buffer, count, bounds);
    }
    bool Drain(int timeoutMs) override { return active_->Drain(timeoutMs); }
    bool Purge() override { return active_->Purge(); }
    bool Lost() const override { return active_->Lost(); }
    std::string LastError() const override { return active_->LastError(); }
    std::string OpenFailureDetail() const override { return active_->OpenFailureDetail(); }

  private:
    std::unique_ptr<ByteTransport> serial_;
    std::unique_ptr<ByteTransport> network_;
    ByteTransport* active_;
};

} // namespace

std::unique_ptr<ByteTransport> MakePortTransport() {
    return std::make_unique<PortTransport>();
}

} // namespace zeb40
