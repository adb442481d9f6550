// Descriptor-based files: every call retries on EINTR and loops over short transfers, so a
// returned count below the request means the end of the file and nothing else.
#include "platform/posix/posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/file_failure.h"

namespace platform::posix {

static_assert(sizeof(off_t) >= 8, "64-bit file offsets are required");

std::string errorText(int error) {
    char buffer[256];
    // The GNU strerror_r returns the text, which may or may not be in `buffer`.
    return strerror_r(error, buffer, sizeof buffer);
}

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { closeNow(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes once; returns errno of a failing close, 0 on success.
    int closeNow() {
        if (fd_ < 0) return 0;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

int openDescriptor(const std::string& path, int flags, FileAction action) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) throw fileError(action, path, errno);
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        throw fileError(action, path, EISDIR);
    }
    return fd;
}

std::int64_t sizeOf(int fd, const std::string& path) {
    struct stat info;
    if (::fstat(fd, &info) != 0) throw fileError(FileAction::Size, path, errno);
    return static_cast<std::int64_t>(info.st_size);
}

std::size_t readFully(int fd, const std::string& path, std::int64_t offset, void* buffer,
                      std::size_t count) {
    if (offset < 0) throw fileError(FileAction::Read, path, EINVAL);
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd, bytes + done, count - done,
                                    static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (got < 0) {
            if (errno == EINTR) continue;
            throw fileError(FileAction::Read, path, errno);
        }
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

// Writes at `offset`, or at the end when offset is negative.
void writeFully(int fd, const std::string& path, std::int64_t offset, const void* data,
                std::size_t count) {
    const auto* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t put =
            offset < 0 ? ::write(fd, bytes + done, count - done)
                       : ::pwrite(fd, bytes + done, count - done,
                                  static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (put < 0) {
            if (errno == EINTR) continue;
            throw fileError(FileAction::Write, path, errno);
        }
        done += static_cast<std::size_t>(put);
    }
}

// What a read-only and a read-write file share: a descriptor read at offsets.
template <typename File>
class PosixReader : public File {
public:
    PosixReader(const std::string& path, int fd) : File(path), fd_(fd) {}
    std::int64_t size() override { return sizeOf(fd_.get(), this->path()); }
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count) override {
        return readFully(fd_.get(), this->path(), offset, buffer, count);
    }

protected:
    Descriptor fd_;
};

using PosixReadable = PosixReader<ReadableFile>;

// Unbuffered: each write is one system call, so a failure shows at the write that caused it.
class PosixWritable : public WritableFile {
public:
    PosixWritable(const std::string& path, int fd) : WritableFile(path), fd_(fd) {}
    void write(const void* data, std::size_t count) override {
        if (fd_.get() < 0) throw fileError(FileAction::Write, path(), EBADF);
        writeFully(fd_.get(), path(), -1, data, count);
    }
    void close() override {
        if (const int error = fd_.closeNow(); error != 0)
            throw fileError(FileAction::Write, path(), error);
    }

private:
    Descriptor fd_;
};

class PosixRandomAccess : public PosixReader<RandomAccessFile> {
public:
    using PosixReader::PosixReader;
    void writeAt(std::int64_t offset, const void* data, std::size_t count) override {
        if (offset < 0) throw fileError(FileAction::Write, path(), EINVAL);
        writeFully(fd_.get(), path(), offset, data, count);
    }
    void flush() override {
        if (::fsync(fd_.get()) != 0 && errno != EINVAL && errno != EROFS)
            throw fileError(FileAction::Write, path(), errno);
    }
};

}  // namespace

std::unique_ptr<ReadableFile> openReadFile(const std::string& path) {
    return std::make_unique<PosixReadable>(path, openDescriptor(path, O_RDONLY, FileAction::Open));
}

std::unique_ptr<WritableFile> createWriteFile(const std::string& path) {
    return std::make_unique<PosixWritable>(
        path, openDescriptor(path, O_WRONLY | O_CREAT | O_TRUNC, FileAction::Create));
}

std::unique_ptr<RandomAccessFile> openRandomAccessFile(const std::string& path, bool create) {
    const int flags = O_RDWR | (create ? O_CREAT : 0);
    return std::make_unique<PosixRandomAccess>(
        path, openDescriptor(path, flags, create ? FileAction::Create : FileAction::Open));
}

std::unique_ptr<RandomAccessFile> createNewFile(const std::string& path) {
    return std::make_unique<PosixRandomAccess>(
        path, openDescriptor(path, O_RDWR | O_CREAT | O_EXCL, FileAction::Create));
}

}  // namespace platform::posix
