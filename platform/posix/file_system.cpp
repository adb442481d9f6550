// The POSIX file system: plain system calls on UTF-8 paths. Folder listing filters by the
// portable mask itself, so that every platform matches names alike.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstring>

#include "platform/file_system.h"
#include "platform/posix/file_system_sync.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/rename_no_replace.h"
#include "platform/wildcard.h"

namespace platform {

namespace {

bool isDots(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

class Folder {
public:
    explicit Folder(const std::string& path) : dir_(::opendir(path.c_str())) {}
    ~Folder() {
        if (dir_) ::closedir(dir_);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    bool isOpen() const { return dir_ != nullptr; }
    // The next entry other than "." and "..", or nullptr at the end.
    dirent* next() {
        while (dirent* entry = ::readdir(dir_))
            if (!isDots(entry->d_name)) return entry;
        return nullptr;
    }

private:
    DIR* dir_;
};

std::string joined(const std::string& folder, const char* name) {
    std::string path = folder;
    if (path.empty() || path.back() != '/') path += '/';
    return path + name;
}

// Puts a folder's renames on the disk, as MOVEFILE_WRITE_THROUGH does on Windows. Best
// effort: the renames have happened whatever the folder's sync says.
void syncFolderAt(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

class PosixFileSystem : public FileSystem {
public:
    bool fileExists(const std::string& path) override {
        struct stat info;
        return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
    }
    bool folderExists(const std::string& path) override {
        struct stat info;
        return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    bool isLink(const std::string& path) override {
        // lstat follows a link named with a trailing slash, so the slash goes first.
        std::string name = path;
        while (name.size() > 1 && name.back() == '/') name.pop_back();
        struct stat info;
        return ::lstat(name.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    }
    bool createFolder(const std::string& path) override {
        return ::mkdir(path.c_str(), 0777) == 0;
    }
    bool deleteFile(const std::string& path) override { return ::unlink(path.c_str()) == 0; }
    bool renameNoReplace(const std::string& from, const std::string& to) override {
        return posix::renameNoReplace(from, to);
    }
    bool replaceFile(const std::string& from, const std::string& to) override {
        if (!replaceFileUnsynced(from, to)) return false;
        syncFolderAt(folderOf(to));
        return true;
    }
    bool replaceFileUnsynced(const std::string& from, const std::string& to) override {
        struct stat info;
        // rename() would also put a folder over an empty folder; only files are replaced.
        if (::stat(from.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
        return ::rename(from.c_str(), to.c_str()) == 0;
    }
    void syncFolder(const std::string& folder) override { syncFolderAt(folder); }
    std::vector<std::string> listSubFolders(const std::string& folder,
                                            const std::string& mask) override {
        std::vector<std::string> names;
        Folder dir(folder);
        if (!dir.isOpen()) return names;
        while (dirent* entry = dir.next()) {
            if (!matchesMask(entry->d_name, mask)) continue;
            bool isFolder = entry->d_type == DT_DIR;
            // Links to folders count as folders, as junctions do on Windows.
            if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK)
                isFolder = folderExists(joined(folder, entry->d_name));
            if (isFolder) names.emplace_back(entry->d_name);
        }
        return names;
    }
    bool folderIsEmpty(const std::string& folder) override {
        Folder dir(folder);
        return dir.isOpen() && dir.next() == nullptr;
    }
    bool removeFolder(const std::string& folder) override {
        return ::rmdir(folder.c_str()) == 0;
    }
    std::optional<std::uint64_t> freeSpace(const std::string& folder) override {
        struct statvfs info;
        if (::statvfs(folder.c_str(), &info) != 0) return std::nullopt;
        // f_bavail: blocks an unprivileged writer may use, as the installer runs.
        return static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
    }
    std::optional<bool> readOnly(const std::string& path) override {
        struct stat info;
        if (::stat(path.c_str(), &info) != 0) return std::nullopt;
        return (info.st_mode & 0222) == 0;
    }
    bool setReadOnly(const std::string& path, bool readOnly) override {
        struct stat info;
        if (::stat(path.c_str(), &info) != 0) return false;
        // Clearing gives the owner back the right to write, as clearing the attribute does.
        const mode_t mode = readOnly ? (info.st_mode & ~mode_t{0222}) : (info.st_mode | S_IWUSR);
        return ::chmod(path.c_str(), mode & 07777) == 0;
    }
    std::unique_ptr<ReadableFile> openRead(const std::string& path, Sharing) override {
        return posix::openReadFile(path);
    }
    std::unique_ptr<WritableFile> createWrite(const std::string& path) override {
        return posix::createWriteFile(path);
    }
    std::unique_ptr<RandomAccessFile> openReadWrite(const std::string& path, Sharing,
                                                    bool create) override {
        return posix::openRandomAccessFile(path, create);
    }
    std::unique_ptr<RandomAccessFile> createNew(const std::string& path, Sharing) override {
        return posix::createNewFile(path);
    }
    std::unique_ptr<FlushBatch> flushBatch() override { return posix::fileSystemSyncBatch(); }
};

}  // namespace

FileSystem& realFileSystem() {
    static PosixFileSystem instance;
    return instance;
}

}  // namespace platform
