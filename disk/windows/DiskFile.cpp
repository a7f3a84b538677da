#include "disk/DiskFile.h"

#include "disk/SaveTarget.h"
#include "link/windows/SystemMessage.h"
#include "link/windows/WideText.h"

#include <filesystem>
#include <windows.h>

namespace zeb40 {
namespace {

DiskFailure Failure(DWORD code) {
    return {code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL, SystemMessage(code)};
}

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (Valid())
            CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes now and reports a failure of the close itself.
    bool Close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != 0;
    }

  private:
    HANDLE handle_;
};

bool IsRegularFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
           !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// A new file beside the target, so that the move stays on one volume.
HANDLE CreateTemporaryBeside(const std::filesystem::path& target, std::wstring& temporaryPath) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring name = L".zeb40-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(++counter) + L".tmp";
        temporaryPath = (target.parent_path() / name).wstring();
        HANDLE file = CreateFileW(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

DiskRead ReadDiskFile(const std::string& path, std::size_t maxBytes) {
    DiskRead read;
    FileHandle file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid() || !IsRegularFile(file.Get()))
        return read;
    read.opened = true;
    // One byte past the limit tells whether the file goes on.
    read.bytes.resize(maxBytes + 1);
    std::size_t got = 0;
    while (got < read.bytes.size()) {
        DWORD count = 0;
        const auto chunk =
            static_cast<DWORD>(std::min<std::size_t>(read.bytes.size() - got, 1u << 30));
        if (!ReadFile(file.Get(), read.bytes.data() + got, chunk, &count, nullptr)) {
            read.failure = Failure(GetLastError());
            break;
        }
        if (count == 0)
            break;
        got += count;
    }
    read.longer = got > maxBytes;
    read.bytes.resize(std::min(got, maxBytes));
    return read;
}

DiskWrite ReplaceDiskFile(const std::string& path, std::string_view bytes) {
    DiskWrite write;
    if (path.empty() || FindSavePlace(WideFromUtf8(path)) == SavePlace::Refused)
        return write;
    const std::filesystem::path target = SaveTarget(WideFromUtf8(path));
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // What could not be opened for writing in place is not replaced either.
    if (exists &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)))
        return write;

    std::wstring temporaryPath;
    FileHandle file(CreateTemporaryBeside(target, temporaryPath));
    if (!file.Valid())
        return write;
    write.opened = true;

    const bool written = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get()) &&
                         file.Close() &&
                         MoveFileExW(temporaryPath.c_str(), target.c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!written) {
        write.failure = Failure(GetLastError());
        if (file.Valid())
            file.Close();
        DeleteFileW(temporaryPath.c_str());
    }
    return write;
}

} // namespace zeb40
