#include "flash/PackageLocator.h"

#include "tests/flash/TestPackage.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

#include <gtest/gtest.h>

namespace zeb40 {
namespace {

using test::TestPackage;

class PackageLocatorTest : public ::testing::Test {
  protected:
    // The number of the first failed check, 0 when the package was located.
    int Locate(const TestPackage& package) { return LocateText(package.Text()); }
    int LocateText(const std::string& text) {
        index = PackageIndex{};
        auto error = LocateRomPart(text, index);
        detail = error ? error->detail : "";
        return error ? error->number : 0;
    }

    PackageIndex index;
    std::string detail;
};

TEST_F(PackageLocatorTest, RecordsByteOffsetsOfTheStoredFile) {
    TestPackage package;
    const std::string text = package.Text();
    ASSERT_EQ(Locate(package), 0);
    EXPECT_EQ(index.delimiter, "--XyZ");
    const auto jamContent = text.find("NOTE");
    EXPECT_EQ(index.jamStart, static_cast<std::int32_t>(jamContent));
    // The search for the second part starts at the CR LF that ends the first part.
    EXPECT_EQ(index.jamEnd, static_cast<std::int32_t>(text.find("\r\n--XyZ", jamContent)));
    EXPECT_EQ(index.romStart, static_cast<std::int32_t>(text.find("QUJD")));

    package.lineEnd = "\n";
    ASSERT_EQ(Locate(package), 0);
    EXPECT_EQ(index.romStart, static_cast<std::int32_t>(package.Text().find("QUJD")));
}

TEST_F(PackageLocatorTest, PrefixesIgnoreLetterCaseAndTrailingBlanksLeaveTheBoundary) {
    TestPackage package;
    package.boundaryLine = "content-type: MULTIPART/MIXED; Boundary=XyZ   ";
    package.delimiter = "--xyz";
    package.romHeaders = {"CONTENT-TYPE: TEXT/PLAIN; CHARSET=US-ASCII; NAME=A.ROM",
                          "CONTENT-TRANSFER-ENCODING: BASE64"};
    package.closing = "--XYZ--";
    EXPECT_EQ(Locate(package), 0);
    EXPECT_EQ(index.delimiter, "--XyZ");
}

TEST_F(PackageLocatorTest, BoundaryIsTakenAsWritten) {
    TestPackage package;
    package.boundaryLine = "Content-Type: multipart/mixed; boundary=\"XyZ\"";
    EXPECT_EQ(Locate(package), 14);
    EXPECT_EQ(detail, "--\"XyZ\" missing (14)");

    package.boundaryLine = "Content-Type: multipart/mixed; boundary=";
    package.delimiter = "--";
    EXPECT_EQ(Locate(package), 0);
    EXPECT_EQ(index.delimiter, "--");

    // Only 39 characters of a boundary fit on a line of 79; delimiter lines
    // are found by their prefix, so the cut boundary still works.
    const std::string longBoundary(50, 'b');
    package.boundaryLine = "Content-Type: multipart/mixed; boundary=" + longBoundary;
    package.delimiter = "--" + longBoundary;
    package.closing = package.delimiter + "--";
    EXPECT_EQ(Locate(package), 0);
    EXPECT_EQ(index.delimiter, "--" + longBoundary.substr(0, 39));
}

TEST_F(PackageLocatorTest, PartNamesAndEncodingsAreTrimmedOnlyInTheFirstPart) {
    TestPackage package;
    package.jamHeaders = {"Content-Type: text/plain; charset=US-ASCII; name=firmware.JAM ",
                          "Content-transfer-encoding: 7BIT  "};
    EXPECT_EQ(Locate(package), 0);

    package.romHeaders[0] = "Content-Type: text/plain; charset=US-ASCII; name=a.rom ";
    EXPECT_EQ(Locate(package), 24);
    EXPECT_EQ(detail, "The second MIME file has to contain the .rom file (24)");

    package = TestPackage{};
    package.romHeaders[1] = "Content-transfer-encoding: base64 ";
    EXPECT_EQ(Locate(package), 26);
    EXPECT_EQ(detail, "'Content-transfer-encoding: ' wrong (26)");
}

TEST_F(PackageLocatorTest, BlankLineMayHoldBlanksOnlyAfterTheFirstPartsHeaders) {
    TestPackage package;
    package.jamBlank = "   ";
    EXPECT_EQ(Locate(package), 0);
    package.romBlank = "   ";
    EXPECT_EQ(Locate(package), 28);
    package = TestPackage{};
    package.jamBlank = "x";
    EXPECT_EQ(Locate(package), 20);
}

TEST_F(PackageLocatorTest, NameBeyondTheLineLimitIsCut) {
    TestPackage package;
    package.jamHeaders[0] =
        "Content-Type: text/plain; charset=US-ASCII; name=" + std::string(27, 'n') +
        ".jam"; // 31 characters
    EXPECT_EQ(Locate(package), 16);
    package.jamHeaders[0] =
        "Content-Type: text/plain; charset=US-ASCII; name=" + std::string(26, 'n') +
        ".jam"; // 30 characters
    EXPECT_EQ(Locate(package), 0);
}

TEST_F(PackageLocatorTest, OtherHeadersAreSkipped) {
    TestPackage package;
    package.preamble = {"From: someone", "MIME-Version: 1.0", "Subject: firmware"};
    package.jamHeaders.insert(package.jamHeaders.begin(), "Content-Disposition: attachment");
    package.romHeaders.insert(package.romHeaders.begin() + 1, "Content-Disposition: attachment");
    EXPECT_EQ(Locate(package), 0);
}

TEST_F(PackageLocatorTest, EmptyFirstPartIsAccepted) {
    TestPackage package;
    package.jamContent.clear();
    const std::string text = package.Text();
    ASSERT_EQ(Locate(package), 0);
    EXPECT_EQ(index.jamStart,
              static_cast<std::int32_t>(text.find("--XyZ\r\nContent-Type: text/plain; "
                                                  "charset=US-ASCII; name=a.rom")));
}

TEST_F(PackageLocatorTest, EachMissingPieceHasItsNumber) {
    EXPECT_EQ(LocateText("nothing that looks like a package\r\n"), 13);
    EXPECT_EQ(LocateText(""), 13);
    EXPECT_EQ(LocateText(std::string("\0\xff\x1b binary\n\n", 12)), 13);

    auto without = [](std::vector<std::string>& lines, std::size_t at) {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
    };
    TestPackage package;
    package.delimiter = "--Other";
    package.closing = "--Other--";
    EXPECT_EQ(Locate(package), 14);
    EXPECT_EQ(detail, "--XyZ missing (14)");

    package = TestPackage{};
    without(package.jamHeaders, 0);
    without(package.romHeaders, 0);
    EXPECT_EQ(Locate(package), 15);
    package = TestPackage{};
    package.jamHeaders[0] = "Content-Type: text/plain; charset=US-ASCII; name=a.rom";
    EXPECT_EQ(Locate(package), 16);
    package = TestPackage{};
    without(package.jamHeaders, 1);
    package.romHeaders.pop_back();
    EXPECT_EQ(Locate(package), 17);
    package = TestPackage{};
    package.jamHeaders[1] = "Content-transfer-encoding: base64";
    EXPECT_EQ(Locate(package), 18);

    EXPECT_EQ(LocateText("Content-Type: multipart/mixed; boundary=XyZ\n--XyZ\n"
                         "Content-Type: text/plain; charset=US-ASCII; name=a.jam\n"
                         "Content-transfer-encoding: 7bit\n"),
              19);
    EXPECT_EQ(LocateText("Content-Type: multipart/mixed; boundary=XyZ\n--XyZ\n"
                         "Content-Type: text/plain; charset=US-ASCII; name=a.jam\n"
                         "Content-transfer-encoding: 7bit\n\njam text\n"),
              21);
    EXPECT_EQ(detail, "--XyZ missing (21)");

    package = TestPackage{};
    without(package.romHeaders, 0);
    EXPECT_EQ(Locate(package), 23);
    package = TestPackage{};
    without(package.romHeaders, 1);
    EXPECT_EQ(Locate(package), 25);
    EXPECT_EQ(LocateText(TestPackage{}.Text().substr(0, TestPackage{}.Text().find("base64") + 8)),
              27);
}

TEST_F(PackageLocatorTest, FindLineReadsLongLinesInPiecesOf79) {
    // The prefix at character 80 of a line starts a piece of its own.
    const std::string text =
        std::string(79, 'x') + "Key: value\r\n" + std::string(78, 'y') + "\r\nKey: second\r\n";
    PackageReader file(text);
    EXPECT_EQ(FindLine(file, "key: "), "value");
    EXPECT_EQ(file.Tell(), 79 + 12);
    auto piece = file.ReadPiece();
    ASSERT_TRUE(piece);
    EXPECT_EQ(*piece, std::string(78, 'y') + "\n"); // whole: 78 characters and the line end
    EXPECT_EQ(FindLine(file, "Key: "), "second");
    EXPECT_EQ(FindLine(file, "Key: "), std::nullopt);
}

TEST(ReportFlashErrorTest, ShowsStringOneTwoFourWithTheDetailCut) {
    test::ScriptedOperator op;
    ReportFlashError(op, MakeFlashError(14, "%s missing (14)", "--XyZ"));
    ReportFlashError(
        op, MakeFlashError(32, "Flash manufacturer 0x%s unknown (32)", std::string(100, 'A')));
    ASSERT_EQ(op.messages.size(), 2u);
    EXPECT_EQ(op.messages[0].text,
              "Error while updating Flash ROM.  Please try again.\n--XyZ missing (14)");
    EXPECT_EQ(op.messages[0].caption, "ZEB40");
    EXPECT_EQ(op.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(op.messages[1].text.size(),
              std::string("Error while updating Flash ROM.  Please try again.\n").size() + 79);
}

} // namespace
} // namespace zeb40
