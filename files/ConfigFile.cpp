#include "files/ConfigFile.h"

#include "resources/Strings.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zeb40 {
namespace {

constexpr std::uint8_t HeaderEnd = 0x1A;
constexpr std::size_t TableSize = std::tuple_size_v<ConfigItemTable>;
// The longest file that matters: the older header, its end byte and the table.
constexpr std::size_t LongestUsefulFile =
    std::char_traits<char>::length(strings::LegacyConfigFileHeader) + 1 + TableSize;

// A failure after the file was opened: the file's name and the system's reason.
std::string SystemErrorText(const char* doing, const std::string& path, int errorNumber) {
    if (errorNumber == ENOSPC)
        return "Disk full while accessing " + path + ".\n" + std::strerror(errorNumber);
    return std::string("An error occurred while ") + doing + " " + path + ".\n" +
           std::strerror(errorNumber);
}

FileError FailedToOpen() {
    return {FileError::Message::FailedToOpen, strings::FailedToOpenFile};
}

FileError SystemError(const char* doing, const std::string& path, int errorNumber) {
    return {FileError::Message::SystemError, SystemErrorText(doing, path, errorNumber)};
}

bool Fail(ConfigDocument& document, Operator& op, const FileError& error) {
    op.ShowMessage(error.text, strings::ApplicationName, MessageIcon::Exclamation);
    document.path.clear();
    return false;
}

void ShowFileTitle(ConfigDocument& document) {
    document.windowTitle = document.title + " - " + strings::AppCaption;
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Closes now and reports a failure of the close itself.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

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

bool WriteAll(int fd, const std::uint8_t* data, std::size_t count) {
    while (count > 0) {
        const ssize_t written = ::write(fd, data, count);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
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

// A new file beside the target, so that the rename stays on one file system.
int CreateTemporaryBeside(const std::filesystem::path& target, std::string& temporaryPath) {
    static unsigned counter = 0;
    const std::filesystem::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Short and hidden, whatever the length of the target's name.
        const std::string name =
            ".zeb40-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".tmp";
        temporaryPath = (folder / name).string();
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Saving goes to the file itself, not over a link that points at it.
std::filesystem::path ResolvedTarget(const std::string& path) {
    std::error_code error;
    std::filesystem::path target = std::filesystem::absolute(path, error);
    if (error)
        target = path;
    if (std::filesystem::is_symlink(target, error)) {
        auto resolved = std::filesystem::canonical(target, error);
        if (!error)
            return resolved;
    }
    return target;
}

void SyncFolder(const std::filesystem::path& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Valid())
        ::fsync(fd.Get());
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
    // Non-blocking open, so that a pipe or device chosen by mistake cannot hang.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat info {};
    if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return {std::nullopt, FailedToOpen()};

    // The whole useful part is read before anything is checked, so that a
    // refused or short file never touches the table.
    std::vector<std::uint8_t> bytes(LongestUsefulFile);
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t count = ::read(fd.Get(), bytes.data() + got, bytes.size() - got);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return {std::nullopt, SystemError("reading", path, errno)};
        if (count == 0)
            break;
        got += static_cast<std::size_t>(count);
    }
    bytes.resize(got);
    return ParseConfigFile(bytes);
}

std::optional<FileError> SaveConfigTable(const std::string& path, const ConfigItemTable& table) {
    const std::filesystem::path target = ResolvedTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // What could not be opened for writing in place is not replaced either.
    if (path.empty() || (exists && !S_ISREG(existing.st_mode)) ||
        (exists && ::access(target.c_str(), W_OK) != 0))
        return FailedToOpen();

    // The old file stays untouched until the new one is complete on disk.
    std::string temporaryPath;
    FileDescriptor fd(CreateTemporaryBeside(target, temporaryPath));
    if (!fd.Valid())
        return FailedToOpen();
    if (exists)
        ::fchmod(fd.Get(), existing.st_mode & 07777);

    const std::vector<std::uint8_t> image = FileImage(table);
    const bool written = WriteAll(fd.Get(), image.data(), image.size()) && ::fsync(fd.Get()) == 0 &&
                         fd.Close() && ::rename(temporaryPath.c_str(), target.c_str()) == 0;
    if (!written) {
        const int errorNumber = errno;
        ::unlink(temporaryPath.c_str());
        return SystemError("writing", path, errorNumber);
    }
    SyncFolder(target.parent_path());
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
