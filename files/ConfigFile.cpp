#include "files/ConfigFile.h"

#include "disk/DiskFile.h"
#include "resources/Strings.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace zeb40 {
namespace {

constexpr std::uint8_t HeaderEnd = 0x1A;
constexpr std::size_t TableSize = std::tuple_size_v<ConfigItemTable>;
// The longest file that matters: the older header, its end byte and the table.
constexpr std::size_t LongestUsefulFile =
    std::char_traits<char>::length(strings::LegacyConfigFileHeader) + 1 + TableSize;

void Report(Operator& op, const std::string& text) {
    op.ShowMessage(text, strings::ApplicationName, MessageIcon::Exclamation);
}

// A failure after the file was opened: the file's name and the system's reason.
std::string SystemErrorText(const char* doing, const std::string& path,
                            const DiskFailure& failure) {
    if (failure.diskFull)
        return "Disk full while accessing " + path + ".\n" + failure.reason;
    return std::string("An error occurred while ") + doing + " " + path + ".\n" + failure.reason;
}

void Fail(ConfigDocument& document, Operator& op, const std::string& text) {
    Report(op, text);
    document.path.clear();
}

void ShowFileTitle(ConfigDocument& document) {
    document.windowTitle = document.title + " - " + strings::AppCaption;
}

// Where the table starts when the header is one of the two, else nothing.
std::optional<std::size_t> TableOffset(const std::vector<std::uint8_t>& bytes) {
    for (std::string_view header : {std::string_view(strings::ConfigFileHeader),
                                    std::string_view(strings::LegacyConfigFileHeader)}) {
        const std::size_t length = header.size();
        if (bytes.size() > length && bytes[length] == HeaderEnd &&
            std::equal(header.begin(), header.end(), bytes.begin()))
            return length + 1;
    }
    return std::nullopt;
}

std::vector<std::uint8_t> FileImage(const ConfigItemTable& table) {
    const std::string_view header = strings::ConfigFileHeader;
    std::vector<std::uint8_t> image(header.begin(), header.end());
    image.push_back(HeaderEnd);
    image.insert(image.end(), table.begin(), table.end());
    return image;
}

} // namespace

bool ReadConfigFile(ConfigDocument& document, ConfigState& config, Operator& op) {
    // The whole useful part is read before anything is checked, so that a
    // refused or short file never touches the table.
    const DiskRead read = ReadDiskFile(document.path, LongestUsefulFile);
    if (!read.opened) {
        Fail(document, op, strings::FailedToOpenFile);
        return false;
    }
    if (read.failure) {
        Fail(document, op, SystemErrorText("reading", document.path, *read.failure));
        return false;
    }
    const std::vector<std::uint8_t> bytes(read.bytes.begin(), read.bytes.end());

    const auto offset = TableOffset(bytes);
    if (!offset || bytes.size() < *offset + TableSize) {
        Fail(document, op, strings::NotValidZebFile);
        return false;
    }
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(*offset), TableSize,
                config.table.begin());
    config.modified = false;
    ShowFileTitle(document);
    return true;
}

bool WriteConfigFile(ConfigDocument& document, ConfigState& config, Operator& op) {
    const std::vector<std::uint8_t> image = FileImage(config.table);
    const DiskWrite written = ReplaceDiskFile(
        document.path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
    if (!written.opened) {
        Fail(document, op, strings::FailedToOpenFile);
        return false;
    }
    if (written.failure) {
        Fail(document, op, SystemErrorText("writing", document.path, *written.failure));
        return false;
    }
    config.modified = false;
    ShowFileTitle(document);
    return true;
}

} // namespace zeb40
