// Handle-based files. Reads and writes loop over partial transfers, so a count below the
// request means the end of the file and nothing else.
#include "platform/win32/win32_files.h"

#include <algorithm>

#include "platform/win32/file_failure.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"

namespace platform::win32 {

namespace {

// The most one ReadFile or WriteFile call moves.
constexpr std::size_t kMaxTransfer = 1u << 30;

// Every failure is thrown from here: a throw site is one call, with no FileError built,
// copied and destroyed there.
[[noreturn]] void fail(FileAction action, const std::string& path, DWORD error) {
    throw fileError(action, path, error);
}

[[noreturn]] void failWithLastError(FileAction action, const std::string& path) {
    fail(action, path, GetLastError());
}

DWORD shareMode(Sharing sharing) {
    return sharing == Sharing::ReadOnlyForOthers ? FILE_SHARE_READ
                                                 : FILE_SHARE_READ | FILE_SHARE_WRITE;
}

HANDLE openHandle(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                  FileAction action) {
    const std::wstring wide = toWidePath(path);
    HANDLE handle = CreateFileW(wide.c_str(), access, share, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) failWithLastError(action, path);
    return handle;
}

OVERLAPPED at(std::int64_t offset) {
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset) & 0xFFFFFFFFu);
    position.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    return position;
}

std::int64_t sizeOf(HANDLE handle, const std::string& path) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle, &size)) failWithLastError(FileAction::Size, path);
    return size.QuadPart;
}

std::size_t readFully(HANDLE handle, const std::string& path, std::int64_t offset,
                      void* buffer, std::size_t count) {
    if (offset < 0) fail(FileAction::Read, path, ERROR_NEGATIVE_SEEK);
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const DWORD chunk = static_cast<DWORD>(std::min(count - done, kMaxTransfer));
        OVERLAPPED position = at(offset + static_cast<std::int64_t>(done));
        DWORD got = 0;
        if (!ReadFile(handle, bytes + done, chunk, &got, &position)) {
            if (GetLastError() == ERROR_HANDLE_EOF) break;
            failWithLastError(FileAction::Read, path);
        }
        if (got == 0) break;
        done += got;
    }
    return done;
}

// Writes at `offset`, or at the end when offset is negative.
void writeFully(HANDLE handle, const std::string& path, std::int64_t offset, const void* data,
                std::size_t count) {
    const auto* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < count) {
        const DWORD chunk = static_cast<DWORD>(std::min(count - done, kMaxTransfer));
        DWORD put = 0;
        BOOL ok;
        if (offset < 0) {
            ok = WriteFile(handle, bytes + done, chunk, &put, nullptr);
        } else {
            OVERLAPPED position = at(offset + static_cast<std::int64_t>(done));
            ok = WriteFile(handle, bytes + done, chunk, &put, &position);
        }
        if (!ok) failWithLastError(FileAction::Write, path);
        if (put == 0) fail(FileAction::Write, path, ERROR_DISK_FULL);
        done += put;
    }
}

// What a read-only and a read-write file share: a handle read at offsets.
template <typename File>
class Win32Reader : public File {
public:
    Win32Reader(const std::string& path, HANDLE handle) : File(path), file_(handle) {}
    std::int64_t size() override { return sizeOf(file_.get(), this->path()); }
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count) override {
        return readFully(file_.get(), this->path(), offset, buffer, count);
    }

protected:
    UniqueHandle file_;
};

using Win32Readable = Win32Reader<ReadableFile>;

// Unbuffered: each write is one system call, so a failure shows at the write that caused it.
class Win32Writable : public WritableFile {
public:
    Win32Writable(const std::string& path, HANDLE handle) : WritableFile(path), file_(handle) {}
    void write(const void* data, std::size_t count) override {
        if (!file_.valid())
            fail(FileAction::Write, path(), ERROR_INVALID_HANDLE);
        writeFully(file_.get(), path(), -1, data, count);
    }
    void close() override {
        if (!file_.reset()) failWithLastError(FileAction::Write, path());
    }

private:
    UniqueHandle file_;
};

class Win32RandomAccess : public Win32Reader<RandomAccessFile> {
public:
    using Win32Reader::Win32Reader;
    void writeAt(std::int64_t offset, const void* data, std::size_t count) override {
        if (offset < 0)
            fail(FileAction::Write, path(), ERROR_NEGATIVE_SEEK);
        writeFully(file_.get(), path(), offset, data, count);
    }
    void flush() override {
        if (!FlushFileBuffers(file_.get())) failWithLastError(FileAction::Write, path());
    }
};

}  // namespace

std::unique_ptr<ReadableFile> openReadFile(const std::string& path, Sharing sharing) {
    return std::make_unique<Win32Readable>(
        path, openHandle(path, GENERIC_READ, shareMode(sharing), OPEN_EXISTING, FileAction::Open));
}

std::unique_ptr<WritableFile> createWriteFile(const std::string& path) {
    return std::make_unique<Win32Writable>(
        path, openHandle(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS, FileAction::Create));
}

std::unique_ptr<RandomAccessFile> openRandomAccessFile(const std::string& path, Sharing sharing,
                                                       bool create) {
    return std::make_unique<Win32RandomAccess>(
        path, openHandle(path, GENERIC_READ | GENERIC_WRITE, shareMode(sharing),
                         create ? OPEN_ALWAYS : OPEN_EXISTING,
                         create ? FileAction::Create : FileAction::Open));
}

std::unique_ptr<RandomAccessFile> createNewFile(const std::string& path, Sharing sharing) {
    return std::make_unique<Win32RandomAccess>(
        path, openHandle(path, GENERIC_READ | GENERIC_WRITE, shareMode(sharing), CREATE_NEW,
                         FileAction::Create));
}

}  // namespace platform::win32
