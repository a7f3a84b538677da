#include "sim/FlashPackageWriter.h"

#include "sim/Base64.h"
#include "sim/FlashMode.h"
#include "sim/HexText.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zeb40::sim {
namespace {

int Usage(const char* problem) {
    std::fprintf(stderr, "zeb40-sim make-package: %s\n", problem);
    std::fprintf(stderr, "usage: zeb40-sim make-package IMAGE [-o OUT] [--version=HEX]\n");
    return 2;
}

std::string DefaultOutput(const std::string& image) {
    std::string output = std::filesystem::path(image).replace_extension(".zcf").string();
    return output == image ? image + ".zcf" : output;
}

} // namespace

std::string FlashPackageText(const std::vector<std::uint8_t>& image, const PackageLayout& layout) {
    const std::string& end = layout.lineEnd;
    const std::string delimiter = "--" + layout.boundary;
    std::string text = "MIME-Version: 1.0" + end;
    text += "Content-Type: multipart/mixed; boundary=" + layout.boundary + end;
    text += end + "This is a multi-part message in MIME format." + end + end;
    text += delimiter + end;
    text += "Content-Type: text/plain; charset=US-ASCII; name=" + layout.jamName + end;
    text += "Content-transfer-encoding: 7bit" + end + end;
    for (const std::string& line : layout.jamLines)
        text += line + end;
    text += delimiter + end;
    text += "Content-Type: text/plain; charset=US-ASCII; name=" + layout.romName + end;
    text += "Content-transfer-encoding: base64" + end + end;
    const std::string data = Base64Encode(image);
    const std::size_t length = std::max<std::size_t>(layout.lineLength, 1);
    for (std::size_t at = 0; at < data.size(); at += length)
        text += data.substr(at, length) + end;
    // Data without "=" padding ends at this empty line.
    text += end;
    text += delimiter + "--" + end;
    return text;
}

void StampFirmwareVersion(std::vector<std::uint8_t>& image, std::uint16_t version) {
    if (image.size() < firmware_image::HeaderSize)
        image.resize(firmware_image::HeaderSize, 0xFF);
    std::copy(std::begin(firmware_image::Marker), std::end(firmware_image::Marker), image.begin());
    image[firmware_image::VersionOffset] = static_cast<std::uint8_t>(version >> 8);
    image[firmware_image::VersionOffset + 1] = static_cast<std::uint8_t>(version & 0xFF);
}

int MakePackageCommand(const std::vector<std::string>& args) {
    std::string imagePath;
    std::string outputPath;
    std::optional<std::uint16_t> version;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o") {
            if (++i == args.size())
                return Usage("-o needs a file name");
            outputPath = args[i];
        } else if (arg.starts_with("--version=")) {
            const std::string hex = arg.substr(10);
            auto number = ParseHexSetting(hex);
            if (!number || *number > 0xFFFF)
                return Usage("--version needs up to 4 hexadecimal digits");
            version = static_cast<std::uint16_t>(*number);
        } else if (imagePath.empty() && !arg.starts_with("-")) {
            imagePath = arg;
        } else {
            return Usage(("unknown argument '" + arg + "'").c_str());
        }
    }
    if (imagePath.empty())
        return Usage("no image given");
    if (outputPath.empty())
        outputPath = DefaultOutput(imagePath);

    std::ifstream in(imagePath, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "zeb40-sim make-package: cannot read '%s'\n", imagePath.c_str());
        return 1;
    }
    std::vector<std::uint8_t> image{std::istreambuf_iterator<char>(in), {}};
    if (version)
        StampFirmwareVersion(image, *version);
    const std::size_t capacity = firmware_image::End - firmware_image::Start;
    if (image.size() > capacity) {
        std::fprintf(stderr,
                     "zeb40-sim make-package: the image has %zu bytes; the flash holds %zu\n",
                     image.size(), capacity);
        return 1;
    }
    const std::string text = FlashPackageText(image);
    std::ofstream out(outputPath, std::ios::binary | std::ios::trunc);
    if (!out.write(text.data(), static_cast<std::streamsize>(text.size())) || !out.flush()) {
        std::fprintf(stderr, "zeb40-sim make-package: cannot write '%s'\n", outputPath.c_str());
        return 1;
    }
    std::printf("%s\n", outputPath.c_str());
    return 0;
}

} // namespace zeb40::sim
