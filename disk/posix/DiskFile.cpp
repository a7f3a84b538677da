#include "disk/DiskFile.h"

#include "disk/SaveTarget.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace zeb40 {
namespace {

// A file-size limit (EFBIG, once SIGXFSZ is ignored) is reported like any
// other write error, in the system's words.
DiskFailure Failure(int errorNumber) {
    return {errorNumber == ENOSPC, std::strerror(errorNumber)};
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

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
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

void SyncFolder(const std::filesystem::path& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Valid())
        ::fsync(fd.Get());
}

} // namespace

DiskRead ReadDiskFile(const std::string& path, std::size_t maxBytes) {
    DiskRead read;
    // Non-blocking open, so that a pipe or device chosen by mistake cannot hang.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat info {};
    if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return read;
    read.opened = true;
    // One byte past the limit tells whether the file goes on. Read to the
    // end rather than trusting the size: the file may grow meanwhile.
    read.bytes.resize(maxBytes + 1);
    std::size_t got = 0;
    while (got < read.bytes.size()) {
        const ssize_t count = ::read(fd.Get(), read.bytes.data() + got, read.bytes.size() - got);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            read.failure = Failure(errno);
            break;
        }
        if (count == 0)
            break;
        got += static_cast<std::size_t>(count);
    }
    read.longer = got > maxBytes;
    read.bytes.resize(std::min(got, maxBytes));
    return read;
}

DiskWrite ReplaceDiskFile(const std::string& path, std::string_view bytes) {
    DiskWrite write;
    if (path.empty() || FindSavePlace(path) == SavePlace::Refused)
        return write;
    const std::filesystem::path target = SaveTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // What could not be opened for writing in place is not replaced either.
    if (exists && (!S_ISREG(existing.st_mode) || ::access(target.c_str(), W_OK) != 0))
        return write;

    std::string temporaryPath;
    FileDescriptor fd(CreateTemporaryBeside(target, temporaryPath));
    if (!fd.Valid())
        return write;
    write.opened = true;
    if (exists)
        ::fchmod(fd.Get(), existing.st_mode & 07777);

    const bool written = WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0 && fd.Close() &&
                         ::rename(temporaryPath.c_str(), target.c_str()) == 0;
    if (!written) {
        write.failure = Failure(errno);
        ::unlink(temporaryPath.c_str());
        return write;
    }
    SyncFolder(target.parent_path());
    return write;
}

} // namespace zeb40
