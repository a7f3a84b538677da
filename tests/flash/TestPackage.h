#pragma once
// Flash update packages for tests, written line by line so that each test can
// bend exactly the line it is about.

#include "sim/Base64.h"
#include "sim/FlashPackageWriter.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace zeb40::test {

struct TestPackage {
    std::string boundaryLine = "Content-Type: multipart/mixed; boundary=XyZ";
    std::string delimiter = "--XyZ";
    std::vector<std::string> preamble = {"MIME-Version: 1.0"};
    std::vector<std::string> jamHeaders = {"Content-Type: text/plain; charset=US-ASCII; name=a.jam",
                                           "Content-transfer-encoding: 7bit"};
    std::string jamBlank = "";
    std::vector<std::string> jamContent = {"NOTE \"X\" \"Y\";"};
    std::vector<std::string> romHeaders = {"Content-Type: text/plain; charset=US-ASCII; name=a.rom",
                                           "Content-transfer-encoding: base64"};
    std::string romBlank = "";
    std::vector<std::string> data = {"QUJD", ""};
    std::string closing = "--XyZ--";
    std::string lineEnd = "\r\n";

    std::vector<std::string> Lines() const {
        std::vector<std::string> lines = preamble;
        lines.push_back(boundaryLine);
        lines.push_back("");
        lines.push_back(delimiter);
        lines.insert(lines.end(), jamHeaders.begin(), jamHeaders.end());
        lines.push_back(jamBlank);
        lines.insert(lines.end(), jamContent.begin(), jamContent.end());
        lines.push_back(delimiter);
        lines.insert(lines.end(), romHeaders.begin(), romHeaders.end());
        lines.push_back(romBlank);
        lines.insert(lines.end(), data.begin(), data.end());
        lines.push_back(closing);
        return lines;
    }
    std::string Text() const {
        std::string text;
        for (const auto& line : Lines())
            text += line + lineEnd;
        return text;
    }
    // The data lines of image in lines of length characters, then the empty line.
    void SetImage(const std::vector<std::uint8_t>& image, std::size_t length = 76) {
        const std::string encoded = sim::Base64Encode(image);
        data.clear();
        for (std::size_t at = 0; at < encoded.size(); at += length)
            data.push_back(encoded.substr(at, length));
        data.push_back("");
    }
};

inline void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

// A firmware image of count bytes that is different at every address.
inline std::vector<std::uint8_t> TestImage(std::size_t count, std::uint16_t version = 0x0351) {
    std::vector<std::uint8_t> image(count);
    for (std::size_t i = 0; i < count; ++i)
        image[i] = static_cast<std::uint8_t>(i * 13 + (i >> 8) + 1);
    sim::StampFirmwareVersion(image, version);
    return image;
}

} // namespace zeb40::test
