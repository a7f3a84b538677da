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

// A failure after the file was opened: the file's name and the system's reason.
std::string SystemErrorText(const char* doing, const std::string& path,
                            const DiskFailure& failure) {
    if (failure.diskFull)
        return "Disk full while accessing " + path + ".\n" + failure.reason;
    return std::string("An error occurred while ") + doing + " " + path + ".\n" + failure.reason;
}

FileError FailedToOpen() {
    return {FileError::Message::FailedToOpen, strings::FailedToOpenFile};
}

FileError SystemError(const char* doing, const std::string& path, const DiskFailure& failure) {
    return {FileError::Message::SystemError, SystemErrorText(doing, path, failure)};
}

bool Fail(ConfigDocument& document, Operator& op, const FileError& error) {
    op.ShowMessage(error.text, strings::ApplicationName, MessageIcon::Exclamation);
    document.path.clear();
    return false;
}

void ShowFileTitle(ConfigDocument& document) {
    document.windowTitle = document.title + " - " + strings::AppCaption;
}

// Where the table starts when the header is one of the two, else nothing.
std::optional<std::size_t> TableOffset(std::span<const std::uint8_t> bytes) {
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
    // One allocation of the final size; growing the vector from the header's
    // exact size trips a false stringop-overflow warning in optimised GCC 12 builds.
    std::vector<std::uint8_t> image;
    image.reserve(header.size() + 1 + table.size());
    image.insert(image.end(), header.begin(), header.end());
    image.push_back(HeaderEnd);
    image.insert(image.end(), table.begin(), table.end());
    return image;
}

} // namespace

ConfigFileRead ParseConfigFile(std::span<const std::uint8_t> bytes) {
    const auto offset = TableOffset(bytes);
    if (!offset || bytes.size() < *offset + TableSize)
        return {std::nullopt, {FileError::Message::NotValidZebFile, strings::NotValidZebFile}};
    ConfigItemTable table{};
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(*offset), TableSize, table.begin());
    return {table, {}};
}

ConfigFileRead LoadConfigTable(const std::string& path) {
    // The whole useful part is read before anything is checked, so that a
    // refused or short file never touches the table.
    const DiskRead read = ReadDiskFile(path, LongestUsefulFile);
    if (!read.opened)
        return {std::nullopt, FailedToOpen()};
    if (read.failure)
        return {std::nullopt, SystemError("reading", path, *read.failure)};
    const std::vector<std::uint8_t> bytes(read.bytes.begin(), read.bytes.end());
    return ParseConfigFile(bytes);
}

std::optional<FileError> SaveConfigTable(const std::string& path, const ConfigItemTable& table) {
    const std::vector<std::uint8_t> image = FileImage(table);
    const DiskWrite written = ReplaceDiskFile(
        path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
    if (!written.opened)
        return FailedToOpen();
    if (written.failure)
        return SystemError("writing", path, *written.failure);
    return std::nullopt;
}

bool ReadConfigFile(ConfigDocument& document, ConfigState& config, Operator& op) {
    const ConfigFileRead read = LoadConfigTable(document.path);
    if (!read.table)
        return Fail(document, op, read.error);
    config.table = *read.table;
    config.modified = false;
    ShowFileTitle(document);
    return true;
}

bool WriteConfigFile(ConfigDocument& document, ConfigState& config, Operator& op) {
    if (auto error = SaveConfigTable(document.path, config.table))
        return Fail(document, op, *error);
    config.modified = false;
    ShowFileTitle(document);
    return true;
}

} // namespace zeb40
