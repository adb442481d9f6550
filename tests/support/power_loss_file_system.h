// A FileSystem for power-cut tests: every call passes to another file system, and below a
// chosen folder a DurableDiskModel follows what is on the disk. A cut stops the machine (each
// later call fails and changes nothing); once the program is done, the folder is rewritten as
// the cut left it: what was flushed and synced, and an allowed share of the rest.
//
// Durable: a RandomAccessFile's data after its flush; a folder's entries (files and folders
// made, renamed, deleted) after syncFolder of that folder, or replaceFile into it. Not
// durable by itself: WritableFile::close, replaceFileUnsynced, renameNoReplace, deleteFile,
// createFolder, removeFolder. Read-only marks are taken as durable at once.
#pragma once

#include <memory>
#include <optional>
#include <random>
#include <string>

#include "platform/file_system.h"
#include "tests/support/durable_disk_model.h"

namespace testsupport {

class PowerLossFileSystem : public platform::FileSystem {
public:
    explicit PowerLossFileSystem(platform::FileSystem& inner) : inner_(inner) {}

    // Follows everything below `root` from now on, taking it as it is now as on the disk.
    void track(const std::string& root);
    // The machine stops: every later call fails (files too) and nothing reaches the disk.
    void cutPower() { off_ = true; }
    bool powerIsOff() const { return off_; }
    // Rewrites the tracked folder as the cut left it (call it once the files are closed);
    // returns which unsynced changes survived.
    std::string writeDiskAfterCut(Survival survival, std::mt19937_64& random,
                                  const std::vector<std::size_t>& choice = {});
    // The outcomes a cut now allows (DurableDiskModel::choicePoints).
    std::vector<std::size_t> choicePoints() const { return model_ ? model_->choicePoints() : std::vector<std::size_t>{}; }
    // Whether flushes and folder syncs also go to the inner file system while a folder is
    // tracked. Off: the model alone decides what survives, and a sweep need not wait for the
    // real disk. Untracked, they always do.
    bool syncInner = false;
    bool syncsInner() const { return syncInner || !model_; }

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

    // For the files it hands out.
    void checkPower(const std::string& path) const;
    DurableDiskModel* model() { return model_.get(); }

private:
    // The pieces of `path` below the root; nothing when it is not below it.
    std::optional<DurableDiskModel::Pieces> tracked(const std::string& path) const;
    // A rename the inner file system made, told to the model; one across the root is refused.
    void recordRename(const std::string& from, const std::string& to);
    DurableDiskModel::NodePtr fileNode(const std::string& path, bool creating);

    platform::FileSystem& inner_;
    std::string root_;
    std::unique_ptr<DurableDiskModel> model_;
    bool off_ = false;
};

}  // namespace testsupport
