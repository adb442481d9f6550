#include "tests/support/durable_disk_model.h"

#include <algorithm>
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

// Every node reachable from `node` by the entries seen or on the disk, once, in name order.
void collect(const NodePtr& node, std::vector<const Node*>& out) {
    if (std::find(out.begin(), out.end(), node.get()) != out.end()) return;
    out.push_back(node.get());
    if (!node->folder) return;
    std::vector<std::pair<std::string, NodePtr>> children(node->durableEntries.begin(), node->durableEntries.end());
    for (const auto& change : node->unsynced)
        for (const auto& entry : change)
            if (entry.second) children.push_back(entry);
    std::stable_sort(children.begin(), children.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [name, child] : children) collect(child, out);
}

struct Writer {
    Survival survival;
    std::mt19937_64& random;
    std::map<const Node*, std::size_t> chosen;  // Survival::Chosen
    std::string account;

    // How many of the `count` changes of `node` in order survive.
    std::size_t keptPrefix(const Node& node, std::size_t count) {
        if (count == 0) return 0;
        if (survival == Survival::Chosen) return chosen.at(&node);
        if (survival == Survival::OnlyDurable) return 0;
        // Mostly none or all: the outcomes where one folder is ahead of another.
        switch (random() % 5) {
            case 0: case 1: return 0;
            case 2: case 3: return count;
            default: return std::uniform_int_distribution<std::size_t>(0, count)(random);
        }
    }
    // Whether a write not flushed survives; `all`: the file's choice in the Random mode.
    bool keep(const Node& node, int mode) {
        if (survival == Survival::Chosen) return chosen.at(&node) != 0;
        if (survival == Survival::OnlyDurable) return false;
        return mode == 2 ? (random() & 1) != 0 : mode == 1;
    }

    void writeNode(const Node& node, const fs::path& path, const std::string& name) {
        if (!node.folder) {
            std::string data = node.durableData;
            std::size_t kept = 0;
            const int mode = survival == Survival::Random && !node.unflushed.empty() ? static_cast<int>(random() % 3) : 0;
            for (const Node::Write& write : node.unflushed)
                if (keep(node, mode)) {
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
        const std::size_t kept = keptPrefix(folder, folder.unsynced.size());
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

std::vector<const Node*> DurableDiskModel::pendingNodes() const {
    std::vector<const Node*> all, pending;
    collect(rootNode_, all);
    for (const Node* node : all)
        if (!node->unsynced.empty() || !node->unflushed.empty()) pending.push_back(node);
    return pending;
}

std::vector<std::size_t> DurableDiskModel::choicePoints() const {
    std::vector<std::size_t> counts;
    for (const Node* node : pendingNodes()) counts.push_back(node->folder ? node->unsynced.size() + 1 : 2);
    return counts;
}

std::string DurableDiskModel::writeCutDisk(Survival survival, std::mt19937_64& random,
                                           const std::vector<std::size_t>& choice) const {
    Writer writer{survival, random, {}, {}};
    if (survival == Survival::Chosen) {
        const std::vector<const Node*> pending = pendingNodes();
        if (choice.size() != pending.size()) throw std::logic_error("disk model: a choice for each point");
        for (std::size_t i = 0; i < pending.size(); ++i) writer.chosen[pending[i]] = choice[i];
    }
    for (const auto& entry : fs::directory_iterator(root_)) {
        std::error_code ignored;
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(entry.path());
    }
    writer.writeEntries(*rootNode_, root_, "");
    return writer.account.empty() ? " nothing unsynced" : writer.account;
}

}  // namespace testsupport
