// A FileSystem over std::filesystem for the archive tests, fuzzers and benchmarks, with
// switches that make chosen operations fail the way a locked or read-only file does.
#pragma once

#include <set>
#include <string>

#include "platform/file_system.h"

namespace testsupport {

class StdFileSystem : public platform::FileSystem {
public:
    // Paths whose opening for reading fails (a file held open by a program denying reads).
    std::set<std::string> unreadable;
    // Paths that cannot be written, replaced or deleted (a read-only file).
    std::set<std::string> readOnlyPaths;
    // When true, every rename fails.
    bool failRenames = false;
    // Folders holding a replaceFileUnsynced rename that no syncFolder has put on the disk yet.
    std::set<std::string> unsynced;

    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool isLink(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool renameNoReplace(const std::string& from, const std::string& to) override;
    bool replaceFile(const std::string& from, const std::string& to) override;
    bool replaceFileUnsynced(const std::string& from, const std::string& to) override;
    void syncFolder(const std::string& folder) override;
    std::vector<std::string> listSubFolders(const std::string& folder, const std::string& mask) override;
    bool folderIsEmpty(const std::string& folder) override;
    bool removeFolder(const std::string& folder) override;
    std::optional<std::uint64_t> freeSpace(const std::string& folder) override;
    std::optional<bool> readOnly(const std::string& path) override;
    bool setReadOnly(const std::string& path, bool readOnly) override;
    std::unique_ptr<platform::ReadableFile> openRead(const std::string& path, platform::Sharing sharing) override;
    std::unique_ptr<platform::WritableFile> createWrite(const std::string& path) override;
    std::unique_ptr<platform::RandomAccessFile> openReadWrite(const std::string& path, platform::Sharing sharing,
                                                              bool create) override;
    std::unique_ptr<platform::RandomAccessFile> createNew(const std::string& path,
                                                          platform::Sharing sharing) override;
};

}  // namespace testsupport
