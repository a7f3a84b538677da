#include "sim/FlashMode.h"

#include "flash/PagePacer.h"
#include "sim/Base64.h"
#include "sim/FlashPackageWriter.h"
#include "tests/support/EmulatorFixture.h"

#include <chrono>
#include <thread>

namespace zeb40::sim {
namespace {

class FlashModeTest : public test::EmulatorFixture {
  protected:
    void SetUp() override {
        EmulatorFixture::SetUp();
        ASSERT_TRUE(OpenLink());
        auto lock = unit.Lock();
        flash = unit.Find<FlashMode>();
        ASSERT_NE(flash, nullptr);
    }
    std::string Exchange(const std::string& text, std::size_t replyLength) {
        link.WriteBytes(text);
        return link.ReadBytes(replyLength, ReplyWait::Normal);
    }
    void EnterFlashMode() {
        auto lock = unit.Lock();
        flash->EnterFlashMode(unit);
    }
    // Erases the first block and programs data from 2000h; returns the result.
    std::string Program(const std::string& data, bool paced) {
        EXPECT_EQ(Exchange("D20004", 4), "2000");
        EXPECT_EQ(Exchange("C", 2), "00");
        EXPECT_EQ(Exchange("D20004", 4), "2000");
        link.WriteBytes("I");
        if (paced) {
            FlashModeLink line(link);
            PagePacer pacer(line, 0x2000, std::chrono::milliseconds(80));
            pacer.Send(data);
        } else {
            link.WriteBytes(data);
        }
        return Exchange("=", 2);
    }
    std::vector<std::uint8_t> Flash(std::size_t count) {
        auto lock = unit.Lock();
        return flash->Flash(count);
    }

    FlashMode* flash = nullptr;
};

TEST_F(FlashModeTest, NormalFirmwareSwitchesOnTheComplementOfV) {
    ReplyCode code{};
    std::uint32_t v = 0;
    ASSERT_TRUE(link.Query('l', 4, code, v));
    EXPECT_EQ(code, ReplyCode::Value);
    std::uint32_t reply = 0;
    ASSERT_TRUE(link.Query('$', v, code, reply));
    EXPECT_EQ(code, ReplyCode::PR);
    ASSERT_TRUE(link.Query('$', ~v, code, reply));
    EXPECT_EQ(code, ReplyCode::OK);
    EXPECT_EQ(Exchange("=\r", 1), "?");
    EXPECT_EQ(Exchange("1", 2), "01");
    EXPECT_EQ(Exchange("2", 2), "20");
    EXPECT_NE(Exchange("5", 2), "00");
    // A normal command line reaching the loader is answered only at its CR.
    EXPECT_EQ(Exchange("$FFFFFFFF\r", 2), "?");
}

TEST_F(FlashModeTest, PagesNeedTheirProgrammingTime) {
    EnterFlashMode();
    std::vector<std::uint8_t> image(400);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 5 + 3);
    const std::string data = Base64Encode(image);

    EXPECT_EQ(Program(data, true), "00");
    EXPECT_EQ(Flash(image.size()), image);

    // Without the pauses characters are lost while a page is programmed.
    Program(data, false);
    EXPECT_NE(Flash(image.size()), image);
    auto lock = unit.Lock();
    EXPECT_GT(flash->LostCharacters(), 0u);
}

TEST_F(FlashModeTest, EraseProgramReadBackAndRestart) {
    EnterFlashMode();
    EXPECT_EQ(Exchange("D21004", 4), "2100");
    EXPECT_EQ(Exchange("C", 2), "01"); // not the start of a block
    EXPECT_EQ(Exchange("D1x004", 4), "????");

    // Programming over a cell that was not erased fails.
    EXPECT_EQ(Exchange("D60004", 4), "6000");
    EXPECT_EQ(Exchange("I////=", 2), "01");

    for (int block = 0; block < 5; ++block) {
        EXPECT_EQ(Exchange("D" + std::to_string(2 + 2 * block) + "0004", 4).size(), 4u);
        EXPECT_EQ(Exchange("C", 2), "00");
    }
    EXPECT_EQ(Exchange("D20004", 4), "2000");
    EXPECT_EQ(Exchange("G", 1), "E"); // nothing to start

    std::vector<std::uint8_t> image = {0x12, 0xAB};
    StampFirmwareVersion(image, 0x0412);
    EXPECT_EQ(Program(Base64Encode(image), true), "00");
    EXPECT_EQ(Exchange("D20004", 4), "2000");
    EXPECT_EQ(Exchange("9999999", 14), "5A4542340412FF");
    EXPECT_EQ(Exchange("D20004", 4), "2000");
    EXPECT_EQ(Exchange("G", 1), "G");
    EXPECT_TRUE(link.Probe()); // the normal firmware answers again
    auto lock = unit.Lock();
    EXPECT_EQ(unit.State().firmwareVersion, 0x0412);
    EXPECT_FALSE(flash->InFlashMode());
}

TEST_F(FlashModeTest, FaultsChangeOneReplyAtATime) {
    EnterFlashMode();
    {
        auto lock = unit.Lock();
        flash->AddFault({FlashReply::Chip, FlashFault::Kind::Text, "21", 1, 1});
        flash->AddFault({FlashReply::ReadBack, FlashFault::Kind::Lowercase, "", 0, 1});
        flash->AddFault({FlashReply::Prompt, FlashFault::Kind::Silent, "", 0, 1});
    }
    EXPECT_EQ(Exchange("2", 2), "20");
    EXPECT_EQ(Exchange("2", 2), "21");
    EXPECT_EQ(Exchange("2", 2), "20");
    EXPECT_EQ(Exchange("D20004", 4), "2000");
    EXPECT_EQ(Exchange("9", 2), "5a"); // "Z" of the factory image's marker
    EXPECT_EQ(Exchange("\r", 1), "");
    EXPECT_EQ(Exchange("\r", 1), "?");
}

TEST_F(FlashModeTest, SettingsFromTheCommandLine) {
    EXPECT_TRUE(unit.Configure("flash-v", "1234ABCD"));
    EXPECT_TRUE(unit.Configure("flash-switch", "plain"));
    EXPECT_TRUE(unit.Configure("flash-page-ms", "5"));
    EXPECT_FALSE(unit.Configure("flash-v", "xyz"));
    EXPECT_FALSE(unit.Configure("flash-switch", "sometimes"));
    EXPECT_FALSE(unit.Configure("flash-page-ms", "-1"));
    ReplyCode code{};
    std::uint32_t value = 0;
    ASSERT_TRUE(link.Query('l', 4, code, value));
    EXPECT_EQ(value, 0x1234ABCDu);
    ASSERT_TRUE(link.Query('$', 0x1234ABCD, code, value));
    EXPECT_EQ(code, ReplyCode::OK);
    EXPECT_EQ(Exchange("\r", 1), "?");
}

} // namespace
} // namespace zeb40::sim
