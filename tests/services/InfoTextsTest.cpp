#include "services/InfoTexts.h"

#include <gtest/gtest.h>

namespace zeb40 {
namespace {

TEST(OptionsText, OnlyOptionsFittedInBothWordsAreListed) {
    EXPECT_EQ(OptionsText(0x00020001, 0x00020003), "Video Channel with Cinch connectors\n");
    EXPECT_EQ(OptionsText(0x00020000, 0x00000000), "");
    EXPECT_EQ(OptionsText(0, 0), "");
}

TEST(OptionsText, ConnectorTextsFollowBits19AndZero) {
    EXPECT_EQ(OptionsText(0x000A0001, 0x000A0001), "Video Channel with BNC connectors\n");
    EXPECT_EQ(OptionsText(0x00000003, 0xFFFFFFFF), "LTC Reader with Cinch connector\n");
    EXPECT_EQ(OptionsText(0x00080006, 0x00080006),
              "LTC Reader with XLR connector\nLTC Generator with XLR connector\n");
    // Neither connector bit: the two texts run on in one line, with no break.
    EXPECT_EQ(OptionsText(0x00000006, 0x00000006), "LTC Reader LTC Generator ");
    EXPECT_EQ(OptionsText(0x00020000, 0x00020000), "Video Channel ");
}

TEST(OptionsText, VitcReaderAndGenerator) {
    EXPECT_EQ(OptionsText(0x18, 0x18), "VITC Reader and Generator\n");
    EXPECT_EQ(OptionsText(0x08, 0x08), "VITC Reader\n");
    EXPECT_EQ(OptionsText(0x10, 0x10), "VITC Generator\n");
}

TEST(OptionsText, EveryRowInTableOrder) {
    EXPECT_EQ(OptionsText(0xFFFFFFFF, 0xFFFFFFFF), "Video Channel with BNC connectors\n"
                                                   "Video Insertion (Overlay)\n"
                                                   "VITC Reader and Generator\n"
                                                   "LTC Reader with XLR connector\n"
                                                   "LTC Generator with XLR connector\n"
                                                   "RS232 Interface\n"
                                                   "RS422 Interface\n"
                                                   "Sony Master/Slave\n"
                                                   "Clock with Battery Back-Up\n"
                                                   "DCF receiver build-in\n"
                                                   "GPS receiver build-in\n"
                                                   "Function Keys\n"
                                                   "LED Display\n"
                                                   "Option\n");
    // Bits that only select connectors or are not shown list nothing.
    // (bits 0, 7-9, 12, 13, 15, 19, 20 and 23)
    EXPECT_EQ(OptionsText(0x0098B381, 0xFFFFFFFF), "");
    EXPECT_EQ(OptionsText(0x01000000, 0x01000000), "Option\n");
}

TEST(VersionText, IdentifierShownUnlessAllOnes) {
    EXPECT_EQ(VersionText(0x0346, 0xFFFFFFFF), "3.46");
    EXPECT_EQ(VersionText(0x0346, 0x0000002A), "3.46\t\tUnique ID:  0000002A");
    EXPECT_EQ(VersionText(0x1A05, 0x12345678), "1A.05\t\tUnique ID:  12345678");
}

TEST(ConfigText, FirstWordFirst) {
    EXPECT_EQ(ConfigText(0x00020001, 0x00020003), "00020001 / 00020003");
    EXPECT_EQ(ConfigText(0, 0xFFFFFFFF), "00000000 / FFFFFFFF");
}

} // namespace
} // namespace zeb40
