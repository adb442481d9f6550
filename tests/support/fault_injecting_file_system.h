// A FileSystem for tests that passes every call to another one and can make chosen calls
// fail: the k-th mutating operation (once, or from then on, like a crash or a full disk), or
// every call of one kind on paths matching a mask. It counts and records mutating operations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace testsupport {

enum class FileOperation {
    // Mutating operations, counted and recorded.
    CreateFolder,  // createFolder
    DeleteFile,    // deleteFile
    Rename,        // renameNoReplace (the path is the source)
    Replace,       // replaceFile (the path is the source)
    RemoveFolder,  // removeFolder
    CreateFile,    // createWrite, createNew, and openReadWrite with create
    Write,         // WritableFile::write, RandomAccessFile::writeAt
    Close,         // WritableFile::close, RandomAccessFile::flush (where a full disk shows)
    SetAttributes, // setReadOnly
    SyncFolder,    // syncFolder (a failure leaves the folder unsynced, as a best effort does)
    // Not mutating: never counted, but can be failed by kind and path.
    OpenRead,      // openRead, and openReadWrite without create
    Read,          // ReadableFile::readAt
    List,          // listSubFolders (a failure gives an empty list, as an unreadable folder)
};

const char* operationName(FileOperation operation);

struct FileMutation {
    FileOperation operation;
    std::string path;
};

// A failure shows the way the real system reports it: bool operations return false (and do
// nothing), file operations throw platform::FileError. Files it returns must not outlive it.
class FaultInjectingFileSystem : public platform::FileSystem {
public:
    explicit FaultInjectingFileSystem(platform::FileSystem& inner) : inner_(inner) {}

    // Fails the k-th mutating operation counted from now (k >= 1); with `andAfter` every
    // later one fails as well. k = 0 switches this off.
    void failMutation(std::size_t k, bool andAfter = false);
    // Fails every `operation` on a path matching `pathMask` (platform::matchesMask: '*' and
    // '?', ASCII letters without case; '*' crosses separators).
    void failOperation(FileOperation operation, std::string pathMask);
    // Makes freeSpace answer `bytes` (nothing: the system cannot tell) instead of the inner
    // file system's answer, as on a nearly full drive.
    void setFreeSpace(std::optional<std::uint64_t> bytes) { freeSpace_ = bytes; fakeFreeSpace_ = true; }
    // Called with each mutating operation's number (counted like failMutation's k, from the
    // last failMutation call) before it is done: a crash test ends the process there.
    std::function<void(std::size_t number, const FileMutation& mutation)> beforeMutation;
    // Makes a read-only mark behave as Windows' attribute does for any user, root included:
    // a marked file cannot be deleted, replaced or opened for writing (it can be renamed).
    bool windowsReadOnly = false;
    // Removes all faults; counts and the record are kept.
    void clearFaults();

    // False: mutations are counted and numbered but not kept in mutations() (a test that
    // counts the heap of an installation of many files).
    bool keepRecord = true;

    std::size_t mutationCount() const { return mutationCount_; }
    const std::vector<FileMutation>& mutations() const { return mutations_; }
    std::size_t injectedFailures() const { return injected_; }

    // Counts `operation` on `path` and tells whether it is to fail. Used by the files too.
    bool shouldFail(FileOperation operation, const std::string& path);
    [[noreturn]] void throwInjected(FileOperation operation, const std::string& path);

    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool isLink(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool renameNoReplace(const std::string& from, const std::string& to) override;
    bool replaceFile(const std::string& from, const std::string& to) override;
    bool replaceFileUnsynced(const std::string& from, const std::string& to) override;
    void syncFolder(const std::string& folder) override;
    std::vector<std::string> listSubFolders(const std::string& folder,
                                            const std::string& mask) override;
    bool folderIsEmpty(const std::string& folder) override;
    bool removeFolder(const std::string& folder) override;
    std::optional<std::uint64_t> freeSpace(const std::string& folder) override;
    std::optional<bool> readOnly(const std::string& path) override;
    bool setReadOnly(const std::string& path, bool readOnly) override;
    std::unique_ptr<platform::ReadableFile> openRead(const std::string& path,
                                                     platform::Sharing sharing) override;
    std::unique_ptr<platform::WritableFile> createWrite(const std::string& path) override;
    std::unique_ptr<platform::RandomAccessFile> openReadWrite(const std::string& path,
                                                              platform::Sharing sharing,
                                                              bool create = false) override;
    std::unique_ptr<platform::RandomAccessFile> createNew(const std::string& path,
                                                          platform::Sharing sharing) override;

private:
    bool markedReadOnly(const std::string& path);

    struct PathFault {
        FileOperation operation;
        std::string pathMask;
    };

    platform::FileSystem& inner_;
    std::size_t failAt_ = 0;  // mutation number (1-based) that fails; 0: none
    bool failAfter_ = false;
    std::size_t countBase_ = 0;  // mutation count when failMutation was called
    std::vector<PathFault> pathFaults_;
    std::vector<FileMutation> mutations_;
    std::size_t mutationCount_ = 0;
    std::size_t injected_ = 0;
    bool fakeFreeSpace_ = false;
    std::optional<std::uint64_t> freeSpace_;
};

}  // namespace testsupport
