#include "platform/posix/file_system_sync.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/posix/file_failure.h"

namespace platform::posix {

namespace {

class FileSystemSyncBatch : public FlushBatch {
public:
    ~FileSystemSyncBatch() override {
        for (const Device& device : devices_) ::close(device.fd);
    }

    void add(const std::string& path) override {
        int fd;
        do {
            fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) throw fileError(FileAction::Open, path, errno);
        struct stat info;
        if (::fstat(fd, &info) != 0) {
            const int error = errno;
            ::close(fd);
            throw fileError(FileAction::Open, path, error);
        }
        for (const Device& device : devices_) {
            if (device.id == info.st_dev) {
                ::close(fd);
                return;
            }
        }
        devices_.push_back({info.st_dev, fd, path});
    }

    void finish() override {
        // As RandomAccessFile::flush: a file system that cannot sync (EINVAL, EROFS) has
        // nothing waiting to be written by us.
        for (const Device& device : devices_)
            if (::syncfs(device.fd) != 0 && errno != EINVAL && errno != EROFS)
                throw fileError(FileAction::Write, device.firstPath, errno);
    }

private:
    struct Device {
        dev_t id;
        int fd;
        std::string firstPath;  // named by a failing sync
    };
    std::vector<Device> devices_;
};

}  // namespace

std::unique_ptr<FlushBatch> fileSystemSyncBatch() { return std::make_unique<FileSystemSyncBatch>(); }

}  // namespace platform::posix
