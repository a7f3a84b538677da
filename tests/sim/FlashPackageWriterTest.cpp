#include "sim/FlashPackageWriter.h"

#include "sim/Base64.h"
#include "sim/FlashMode.h"
#include "tests/support/EmulatorFixture.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace zeb40::sim {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Python's own MIME parser must see two parts with the right names and the
// image byte for byte in the second.
// Python's own MIME parser must see two parts with the right names and the
// image byte for byte in the second. Arguments: package and image, in pairs.
constexpr const char* PythonCheck = R"(
import email, sys
for package, image in zip(sys.argv[1::2], sys.argv[2::2]):
    message = email.message_from_bytes(open(package, 'rb').read())
    parts = message.get_payload()
    assert message.is_multipart() and message.get_content_type() == 'multipart/mixed'
    assert len(parts) == 2, (package, len(parts))
    assert parts[0].get_filename() == 'zeb40.jam' and parts[1].get_filename() == 'zeb40.rom'
    assert parts[0]['Content-transfer-encoding'] == '7bit'
    assert parts[1].get_payload(decode=True) == open(image, 'rb').read(), package
print('ok')
)";

TEST(FlashPackageWriterTest, IndependentMimeParserReadsTheImageBack) {
    if (std::system("command -v python3 >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed";
    test::TempDir dir;
    std::string arguments;
    for (std::size_t size : {0u, 1u, 2u, 3u, 1000u, 40960u}) {
        std::vector<std::uint8_t> image(size);
        for (std::size_t i = 0; i < size; ++i)
            image[i] = static_cast<std::uint8_t>(i * 251 + (i >> 7));
        const std::string name = std::to_string(size);
        WriteBytes(dir.File(name + ".bin"), image);
        std::ofstream(dir.File(name + ".zcf"), std::ios::binary) << FlashPackageText(image);
        arguments += " " + dir.File(name + ".zcf") + " " + dir.File(name + ".bin");
    }
    std::ofstream(dir.File("check.py")) << PythonCheck;
    const std::string command =
        "python3 " + dir.File("check.py") + arguments + " > " + dir.File("out.txt") + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << ReadFile(dir.File("out.txt"));
    EXPECT_EQ(ReadFile(dir.File("out.txt")), "ok\n");
}

TEST(FlashPackageWriterTest, LinesOfSeventySixCharactersWithCrLf) {
    std::vector<std::uint8_t> image(200, 0x5A);
    const std::string text = FlashPackageText(image);
    const std::string data = text.substr(text.find("base64\r\n\r\n") + 10);
    EXPECT_EQ(data.find("\r\n"), 76u);
    EXPECT_TRUE(text.ends_with("\r\n\r\n--ZEB40_Flash_Update_Package--\r\n"));
    EXPECT_EQ(text.find('\n') - 1, text.find('\r'));
    EXPECT_EQ(Base64Encode({'A', 'B'}), "QUI=");
    EXPECT_EQ(Base64Encode({'A'}), "QQ==");
    EXPECT_EQ(Base64Encode({0xFB, 0xFF, 0xBF}), "+/+/");
}

TEST(FlashPackageWriterTest, MakePackageCommandStampsTheVersion) {
    test::TempDir dir;
    WriteBytes(dir.File("fw.bin"), std::vector<std::uint8_t>(100, 0x11));
    EXPECT_EQ(MakePackageCommand({dir.File("fw.bin"), "--version=0360"}), 0);
    std::vector<std::uint8_t> expected(100, 0x11);
    StampFirmwareVersion(expected, 0x0360);
    EXPECT_EQ(ReadFile(dir.File("fw.zcf")), FlashPackageText(expected));
    EXPECT_EQ(std::vector<std::uint8_t>(expected.begin(), expected.begin() + 6),
              (std::vector<std::uint8_t>{'Z', 'E', 'B', '4', 0x03, 0x60}));

    EXPECT_EQ(MakePackageCommand({dir.File("fw.bin"), "-o", dir.File("out.zcf")}), 0);
    EXPECT_EQ(ReadFile(dir.File("out.zcf")),
              FlashPackageText(std::vector<std::uint8_t>(100, 0x11)));

    EXPECT_EQ(MakePackageCommand({}), 2);
    EXPECT_EQ(MakePackageCommand({dir.File("fw.bin"), "--version=12345"}), 2);
    EXPECT_EQ(MakePackageCommand({dir.File("fw.bin"), "-o"}), 2);
    EXPECT_EQ(MakePackageCommand({dir.File("absent.bin")}), 1);
    WriteBytes(dir.File("big.bin"), std::vector<std::uint8_t>(0xA001, 0));
    EXPECT_EQ(MakePackageCommand({dir.File("big.bin")}), 1);
}

} // namespace
} // namespace zeb40::sim
