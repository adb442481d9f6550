// What a disk holds of a folder tree while programs change it, and what a power cut leaves.
// Each file and folder is a node (an inode: a rename moves it, it keeps its data); each folder
// has the entries the running system sees and the entries on the disk, which become the same
// only when the folder is synced; each file has its data on the disk and the writes since its
// last flush. After a cut, a folder holds its synced entries plus a prefix of the changes made
// since (a journaling file system keeps a folder's changes in order, but a folder's changes do
// not wait for another's), and a file holds its flushed data plus any subset of the writes
// since, in order. Renames stay within one folder (all the installer makes); a rename is one
// change, so its name is at the old place or the new, never at both or neither.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace testsupport {

// Which of the changes not yet on the disk survive a power cut.
enum class Survival {
    OnlyDurable,  // none: the disk as the last flushes and syncs left it
    Random,       // a seeded choice among the outcomes the model allows, torn files included
    Chosen,       // as a choice vector says (see choicePoints)
};

class DurableDiskModel {
public:
    struct Node;
    using NodePtr = std::shared_ptr<Node>;
    // Names below the root, one piece each.
    using Pieces = std::vector<std::string>;

    // Takes everything below `root` as it is now as safely on the disk.
    explicit DurableDiskModel(std::filesystem::path root);

    // The node at `path`; null when there is none.
    NodePtr find(const Pieces& path) const;
    // A new, empty file or folder at `path` (its folder must be known).
    NodePtr create(const Pieces& path, bool folder);
    void remove(const Pieces& path);
    // Moves `from` to `to` in the same folder, replacing a file at `to`.
    void rename(const Pieces& from, const Pieces& to);
    void write(const NodePtr& file, std::int64_t offset, const std::string& bytes);
    void truncate(const NodePtr& file);
    // The file's data is on the disk (fsync).
    void flush(const NodePtr& file);
    // The folder's entries are on the disk (fsync of the folder).
    void sync(const Pieces& folder);

    // How many outcomes each node with unsynced changes allows, in a fixed order: a folder
    // with n changes keeps 0..n of them, a file keeps none or all of its writes. A vector of
    // one value below each of these picks one outcome (Survival::Chosen); there are as many
    // outcomes as the product of the counts.
    std::vector<std::size_t> choicePoints() const;

    // Replaces everything below the root with what a power cut now leaves; returns a short
    // account of the changes that survived, for failure messages.
    std::string writeCutDisk(Survival survival, std::mt19937_64& random,
                             const std::vector<std::size_t>& choice = {}) const;

private:
    NodePtr folderOf(const Pieces& path) const;
    std::vector<const Node*> pendingNodes() const;

    std::filesystem::path root_;
    NodePtr rootNode_;
};

}  // namespace testsupport
