// A FileSystem that calls `beat` before each of its operations and each read, write, flush and
// close of the files it opens, then passes the call on. The installer's long work (copying the
// package out of the executable, the CRC pass, extraction, the catalog merge) runs on the
// window's one thread and is made of file operations: the beat lets the window answer the
// system between them, with no thread of its own. The commit's flush batch is the default one
// (each file flushed through this file system, so each flush beats), not the inner system's.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace platform {

class HeartbeatFileSystem : public FileSystem {
public:
    // `beat` is called very often: it decides itself how often to do anything.
    HeartbeatFileSystem(FileSystem& inner, std::function<void()> beat)
        : inner_(inner), beat_(std::move(beat)) {}

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
    // The files keep the beat; they must not outlive this file system.
    std::unique_ptr<ReadableFile> openRead(const std::string& path, Sharing sharing) override;
    std::unique_ptr<WritableFile> createWrite(const std::string& path) override;
    std::unique_ptr<RandomAccessFile> openReadWrite(const std::string& path, Sharing sharing,
                                                    bool create = false) override;
    std::unique_ptr<RandomAccessFile> createNew(const std::string& path, Sharing sharing) override;

private:
    // Every operation reaches the inner system through here, so each beats first.
    FileSystem& inner() {
        beat_();
        return inner_;
    }

    FileSystem& inner_;
    std::function<void()> beat_;
};

}  // namespace platform
