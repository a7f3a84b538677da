#pragma once
// The firmware the flash benchmarks send and its update package: a pattern
// with no long runs of one value, stamped as version 3.60, so that every run
// carries the same bytes and a read-back proves what arrived.

#include "sim/FlashPackageWriter.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace zeb40::bench {

inline std::vector<std::uint8_t> BenchFirmware(long kilobytes) {
    std::vector<std::uint8_t> image(static_cast<std::size_t>(kilobytes) * 1024);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 37 + (i >> 9));
    sim::StampFirmwareVersion(image, 0x0360);
    return image;
}

inline void WriteBenchPackage(const std::filesystem::path& path,
                              const std::vector<std::uint8_t>& image) {
    std::ofstream(path, std::ios::binary) << sim::FlashPackageText(image);
}

} // namespace zeb40::bench
