#include "flash/PackageCheck.h"

#include "tests/flash/TestPackage.h"
#include "tests/support/EmulatorFixture.h"

#include <gtest/gtest.h>

namespace zeb40 {
namespace {

using test::TestPackage;

class PackageCheckTest : public ::testing::Test {
  protected:
    // The number of the error, 0 when the package passed.
    int Check(const std::string& text) {
        auto error = CheckPackage(text);
        detail = error ? error->detail : "";
        return error ? error->number : 0;
    }
    int Check(const TestPackage& package) { return Check(package.Text()); }
    static TestPackage WithLines(std::size_t length) {
        TestPackage package;
        package.SetImage(test::TestImage(600), length);
        return package;
    }

    std::string detail;
};

TEST_F(PackageCheckTest, PackagesOfTheBuilderPass) {
    EXPECT_EQ(Check(sim::FlashPackageText(test::TestImage(1000))), 0);
    EXPECT_EQ(Check(sim::FlashPackageText(test::TestImage(999))),
              0); // no pad: ends at the empty line
    sim::PackageLayout unixLines;
    unixLines.lineEnd = "\n";
    EXPECT_EQ(Check(sim::FlashPackageText(test::TestImage(1000), unixLines)), 0);
}

TEST_F(PackageCheckTest, DataLinesOnTheSeventyNineCharacterBoundaryAreRefused) {
    for (std::size_t length : {79u, 158u, 237u}) {
        EXPECT_EQ(Check(WithLines(length)), 37) << length;
        EXPECT_EQ(detail, ".rom data line ends on a 79-character boundary (37)");
    }
    for (std::size_t length : {76u, 78u, 80u, 100u, 5000u})
        EXPECT_EQ(Check(WithLines(length)), 0) << length;

    // Trailing blanks beyond the boundary would also be read as an empty line.
    TestPackage blanks = WithLines(76);
    blanks.data[0] = std::string(79, 'A') + "  ";
    EXPECT_EQ(Check(blanks), 37);
}

TEST_F(PackageCheckTest, DataMustBeBase64) {
    TestPackage package;
    package.data = {"QUJD", "not base64!", ""};
    EXPECT_EQ(Check(package), 26);
    EXPECT_EQ(detail, "The .rom data is not base64 (26)");
    package.data = {"QU JD", ""};
    EXPECT_EQ(Check(package), 26);
    package.data = {"QUJD=QUJD", ""};
    EXPECT_EQ(Check(package), 26);
    package.data = {"QUJDQ", ""}; // a single character cannot make a byte
    EXPECT_EQ(Check(package), 26);
    package.data = {"QU===", ""};
    EXPECT_EQ(Check(package), 26);
    package.data = {std::string("QU\0D", 4), ""};
    EXPECT_EQ(Check(package), 26);

    package.data = {"   QUJD", "QUI=  "}; // leading and trailing blanks are fine
    EXPECT_EQ(Check(package), 0);
    package.data = {"QQ=="};
    EXPECT_EQ(Check(package), 0);
}

// Programming either would leave the unit without firmware: an empty image
// erases it, a larger one runs past the flash's end.
TEST_F(PackageCheckTest, ImagesTheFlashCannotHoldAreRefused) {
    TestPackage package;
    for (const auto& empty : {std::vector<std::string>{""}, std::vector<std::string>{"   ", ""},
                              std::vector<std::string>{"Q", ""}}) {
        package.data = empty;
        EXPECT_EQ(Check(package), empty[0] == "Q" ? 26 : 27);
    }
    package.data = {""};
    Check(package);
    EXPECT_EQ(detail, "The .rom file holds no data (27)");

    for (std::size_t size : {40960u, 40959u})
        EXPECT_EQ(Check(sim::FlashPackageText(test::TestImage(size))), 0) << size;
    for (std::size_t size : {40961u, 40962u, 60000u}) {
        EXPECT_EQ(Check(sim::FlashPackageText(std::vector<std::uint8_t>(size, 0x5A))), 24) << size;
    }
    EXPECT_EQ(detail, "The .rom file holds 60000 bytes; the flash holds 40960 (24)");

    // A megabyte of base64 on one line is refused as a whole, not streamed.
    package.data = {std::string(1 << 20, 'A'), ""};
    EXPECT_EQ(Check(package), 24);
    EXPECT_EQ(detail, "The .rom file holds 786432 bytes; the flash holds 40960 (24)");
}

TEST_F(PackageCheckTest, TruncatedPackagesGiveTheNumberOfWhereTheyEnd) {
    TestPackage package;
    package.closing = "";
    package.data = {"QUJD", "QUJD"};
    EXPECT_EQ(Check(package), 36);
    EXPECT_EQ(detail, "--XyZ missing (36)");

    const std::string full = WithLines(76).Text();
    EXPECT_EQ(Check(full.substr(0, full.find("base64") + 8)), 27);
    EXPECT_EQ(Check(full.substr(0, full.find("--XyZ--"))), 36);
    // Data that runs into the closing delimiter without an end of its own.
    package = TestPackage{};
    package.data = {"QUJD"};
    EXPECT_EQ(Check(package), 37);
    EXPECT_EQ(detail, "Unexpected end of .rom file (37)");
}

TEST_F(PackageCheckTest, AnyContentGivesANumberedError) {
    EXPECT_EQ(Check(""), 13);
    std::string binary;
    for (int i = 0; i < 100000; ++i)
        binary += static_cast<char>((i * 7919) % 256);
    EXPECT_GT(Check(binary), 0);
    EXPECT_EQ(Check(std::string(200000, 'x')), 13);
    // Framing intact, but the second part holds binary data.
    TestPackage package;
    package.data = {binary.substr(0, 3000), ""};
    EXPECT_GT(Check(package), 0);

    const std::string full = WithLines(76).Text();
    // Cut anywhere before the closing delimiter is complete enough to be found.
    for (std::size_t cut = 0; cut < full.rfind("--XyZ") + 5; cut += 37)
        EXPECT_GT(Check(full.substr(0, cut)), 0) << cut;
}

} // namespace
} // namespace zeb40
