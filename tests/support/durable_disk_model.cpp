#include "tests/support/durable_disk_model.h"

#include <stdexcept>

#include "tests/support/test_paths.h"

namespace testsupport {

namespace fs = std::filesystem;

namespace {

std::string joined(const DurableDiskModel::Pieces& path) {
    std::string text;
    for (const std::string& piece : path) text += (text.empty() ? "" : "/") + piece;
    return text;
}

std::string textOf(const fs::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

fs::path pathOf(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }

}  // namespace

struct DurableDiskModel::Node {
    struct Write {
        bool truncate;
        std::int64_t offset;
        std::string bytes;
    };
    // One change of a folder's entries: names set to a node (or removed, null) at once.
    using EntryChange = std::vector<std::pair<std::string, NodePtr>>;

    bool folder = false;
    std::map<std::string, NodePtr> entries;         // as the running system sees them
    std::map<std::string, NodePtr> durableEntries;  // as the disk holds them
    std::vector<EntryChange> unsynced;              // since the last sync, in order
    std::string durableData;
    std::vector<Write> unflushed;  // since the last flush, in order

    static void apply(std::string& data, const Write& write) {
        if (write.truncate) {
            data.clear();
            return;
        }
        const auto end = static_cast<std::size_t>(write.offset) + write.bytes.size();
        if (data.size() < end) data.resize(end, '\0');
        data.replace(static_cast<std::size_t>(write.offset), write.bytes.size(), write.bytes);
    }
};

namespace {

using Node = DurableDiskModel::Node;
using NodePtr = DurableDiskModel::NodePtr;

NodePtr snapshot(const fs::path& path) {
    auto node = std::make_shared<Node>();
    if (!fs::is_directory(path)) {
        node->durableData = readFile(path);
        return node;
    }
    node->folder = true;
    for (const auto& entry : fs::directory_iterator(path))
        node->entries[textOf(entry.path().filename())] = snapshot(entry.path());
    node->durableEntries = node->entries;
    return node;
}

void change(Node& folder, Node::EntryChange entryChange) {
    for (const auto& [name, node] : entryChange) {
        if (node) folder.entries[name] = node;
        else folder.entries.erase(name);
    }
    folder.unsynced.push_back(std::move(entryChange));
}

struct Writer {
    Survival survival;
    std::mt19937_64& random;
    std::string account;

    // How many of `count` changes in order survive.
    std::size_t keptPrefix(std::size_t count) {
        if (survival == Survival::OnlyDurable || count == 0) return 0;
        return std::uniform_int_distribution<std::size_t>(0, count)(random);
    }
    bool keep() { return survival == Survival::Random && (random() & 1) != 0; }

    void writeNode(const Node& node, const fs::path& path, const std::string& name) {
        if (!node.folder) {
            std::string data = node.durableData;
            std::size_t kept = 0;
            for (const Node::Write& write : node.unflushed)
                if (keep()) {
                    Node::apply(data, write);
                    ++kept;
                }
            if (!node.unflushed.empty())
                account += " " + name + ": " + std::to_string(kept) + "/" + std::to_string(node.unflushed.size()) +
                           " writes;";
            writeFile(path, data);
            return;
        }
        fs::create_directory(path);
        writeEntries(node, path, name);
    }

    void writeEntries(const Node& folder, const fs::path& path, const std::string& name) {
        std::map<std::string, NodePtr> entries = folder.durableEntries;
        const std::size_t kept = keptPrefix(folder.unsynced.size());
        for (std::size_t i = 0; i < kept; ++i)
            for (const auto& [entry, node] : folder.unsynced[i]) {
                if (node) entries[entry] = node;
                else entries.erase(entry);
            }
        if (!folder.unsynced.empty())
            account += " " + (name.empty() ? std::string(".") : name) + "/: " + std::to_string(kept) + "/" +
                       std::to_string(folder.unsynced.size()) + " entry changes;";
        for (const auto& [entry, node] : entries)
            writeNode(*node, path / pathOf(entry), name.empty() ? entry : name + "/" + entry);
    }
};

}  // namespace

DurableDiskModel::DurableDiskModel(fs::path root) : root_(std::move(root)), rootNode_(snapshot(root_)) {
    if (!rootNode_->folder) throw std::logic_error("disk model: the root is not a folder");
}

NodePtr DurableDiskModel::find(const Pieces& path) const {
    NodePtr node = rootNode_;
    for (const std::string& piece : path) {
        if (!node->folder) return nullptr;
        const auto entry = node->entries.find(piece);
        if (entry == node->entries.end()) return nullptr;
        node = entry->second;
    }
    return node;
}

NodePtr DurableDiskModel::folderOf(const Pieces& path) const {
    if (path.empty()) throw std::logic_error("disk model: the root has no folder");
    NodePtr folder = find(Pieces(path.begin(), path.end() - 1));
    if (!folder || !folder->folder)
        throw std::logic_error("disk model: no folder known for " + joined(path));
    return folder;
}

NodePtr DurableDiskModel::create(const Pieces& path, bool folder) {
    auto node = std::make_shared<Node>();
    node->folder = folder;
    change(*folderOf(path), {{path.back(), node}});
    return node;
}

void DurableDiskModel::remove(const Pieces& path) { change(*folderOf(path), {{path.back(), nullptr}}); }

void DurableDiskModel::rename(const Pieces& from, const Pieces& to) {
    const NodePtr folder = folderOf(from);
    if (folderOf(to) != folder)
        throw std::logic_error("disk model: a rename between folders is not modelled: " + joined(from));
    const NodePtr node = find(from);
    if (!node) throw std::logic_error("disk model: unknown " + joined(from));
    change(*folder, {{to.back(), node}, {from.back(), nullptr}});
}

void DurableDiskModel::write(const NodePtr& file, std::int64_t offset, const std::string& bytes) {
    file->unflushed.push_back({false, offset, bytes});
}

void DurableDiskModel::truncate(const NodePtr& file) { file->unflushed.push_back({true, 0, {}}); }

void DurableDiskModel::flush(const NodePtr& file) {
    for (const Node::Write& write : file->unflushed) Node::apply(file->durableData, write);
    file->unflushed.clear();
}

void DurableDiskModel::sync(const Pieces& folder) {
    const NodePtr node = find(folder);
    if (!node || !node->folder) return;
    node->durableEntries = node->entries;
    node->unsynced.clear();
}

std::string DurableDiskModel::writeCutDisk(Survival survival, std::mt19937_64& random) const {
    for (const auto& entry : fs::directory_iterator(root_)) {
        std::error_code ignored;
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(entry.path());
    }
    Writer writer{survival, random, {}};
    writer.writeEntries(*rootNode_, root_, "");
    return writer.account.empty() ? " nothing unsynced" : writer.account;
}

}  // namespace testsupport
