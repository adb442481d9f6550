#include "tests/support/power_loss_file_system.h"

namespace testsupport {

namespace {

using NodePtr = DurableDiskModel::NodePtr;

bool isSeparator(char c) { return c == '/' || c == '\\'; }

class ModelReadable : public platform::ReadableFile {
public:
    ModelReadable(PowerLossFileSystem& owner, std::unique_ptr<platform::ReadableFile> inner)
        : ReadableFile(inner->path()), owner_(owner), inner_(std::move(inner)) {}
    std::int64_t size() override {
        owner_.checkPower(path());
        return inner_->size();
    }
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count) override {
        owner_.checkPower(path());
        return inner_->readAt(offset, buffer, count);
    }

private:
    PowerLossFileSystem& owner_;
    std::unique_ptr<platform::ReadableFile> inner_;
};

class ModelWritable : public platform::WritableFile {
public:
    ModelWritable(PowerLossFileSystem& owner, std::unique_ptr<platform::WritableFile> inner, NodePtr node)
        : WritableFile(inner->path()), owner_(owner), inner_(std::move(inner)), node_(std::move(node)) {}
    void write(const void* data, std::size_t count) override {
        owner_.checkPower(path());
        inner_->write(data, count);
        if (node_) owner_.model()->write(node_, offset_, std::string(static_cast<const char*>(data), count));
        offset_ += static_cast<std::int64_t>(count);
    }
    // Closing puts nothing on the disk.
    void close() override {
        owner_.checkPower(path());
        inner_->close();
    }

private:
    PowerLossFileSystem& owner_;
    std::unique_ptr<platform::WritableFile> inner_;
    NodePtr node_;
    std::int64_t offset_ = 0;
};

class ModelRandomAccess : public platform::RandomAccessFile {
public:
    ModelRandomAccess(PowerLossFileSystem& owner, std::unique_ptr<platform::RandomAccessFile> inner, NodePtr node)
        : RandomAccessFile(inner->path()), owner_(owner), inner_(std::move(inner)), node_(std::move(node)) {}
    std::int64_t size() override {
        owner_.checkPower(path());
        return inner_->size();
    }
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count) override {
        owner_.checkPower(path());
        return inner_->readAt(offset, buffer, count);
    }
    void writeAt(std::int64_t offset, const void* data, std::size_t count) override {
        owner_.checkPower(path());
        inner_->writeAt(offset, data, count);
        if (node_) owner_.model()->write(node_, offset, std::string(static_cast<const char*>(data), count));
    }
    void flush() override {
        owner_.checkPower(path());
        if (owner_.syncsInner()) inner_->flush();
        if (node_) owner_.model()->flush(node_);
    }

private:
    PowerLossFileSystem& owner_;
    std::unique_ptr<platform::RandomAccessFile> inner_;
    NodePtr node_;
};

}  // namespace

void PowerLossFileSystem::track(const std::string& root) {
    root_ = root;
    while (root_.size() > 1 && isSeparator(root_.back())) root_.pop_back();
    model_ = std::make_unique<DurableDiskModel>(std::filesystem::path(std::u8string(root_.begin(), root_.end())));
    off_ = false;
}

std::string PowerLossFileSystem::writeDiskAfterCut(Survival survival, std::mt19937_64& random,
                                                   const std::vector<std::size_t>& choice) {
    if (!model_) return " nothing tracked";
    return model_->writeCutDisk(survival, random, choice);
}

void PowerLossFileSystem::checkPower(const std::string& path) const {
    if (off_) throw platform::FileError(path, "The machine is off: " + path);
}

std::optional<DurableDiskModel::Pieces> PowerLossFileSystem::tracked(const std::string& path) const {
    if (!model_ || path.compare(0, root_.size(), root_) != 0) return std::nullopt;
    if (path.size() > root_.size() && !isSeparator(path[root_.size()])) return std::nullopt;
    DurableDiskModel::Pieces pieces;
    std::string piece;
    for (std::size_t i = root_.size(); i <= path.size(); ++i) {
        if (i < path.size() && !isSeparator(path[i])) {
            piece += path[i];
            continue;
        }
        if (piece == "..") throw std::logic_error("power-loss model: '..' in " + path);
        if (!piece.empty() && piece != ".") pieces.push_back(piece);
        piece.clear();
    }
    return pieces;
}

NodePtr PowerLossFileSystem::fileNode(const std::string& path, bool creating) {
    const auto pieces = tracked(path);
    if (!pieces) return nullptr;
    if (creating) return model_->create(*pieces, false);
    NodePtr node = model_->find(*pieces);
    if (!node) throw std::logic_error("power-loss model: a file it does not know: " + path);
    return node;
}

bool PowerLossFileSystem::fileExists(const std::string& path) { return !off_ && inner_.fileExists(path); }

bool PowerLossFileSystem::folderExists(const std::string& path) { return !off_ && inner_.folderExists(path); }

bool PowerLossFileSystem::isLink(const std::string& path) { return !off_ && inner_.isLink(path); }

bool PowerLossFileSystem::createFolder(const std::string& path) {
    if (off_ || !inner_.createFolder(path)) return false;
    if (const auto pieces = tracked(path)) model_->create(*pieces, true);
    return true;
}

bool PowerLossFileSystem::deleteFile(const std::string& path) {
    if (off_ || !inner_.deleteFile(path)) return false;
    if (const auto pieces = tracked(path)) model_->remove(*pieces);
    return true;
}

void PowerLossFileSystem::recordRename(const std::string& from, const std::string& to) {
    const auto source = tracked(from);
    const auto target = tracked(to);
    if (source && target) model_->rename(*source, *target);
    else if (source || target) throw std::logic_error("power-loss model: a rename across its root: " + from);
}

bool PowerLossFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    if (off_ || !inner_.renameNoReplace(from, to)) return false;
    recordRename(from, to);
    return true;
}

bool PowerLossFileSystem::replaceFile(const std::string& from, const std::string& to) {
    if (!replaceFileUnsynced(from, to)) return false;
    const std::size_t end = to.find_last_of("/\\");
    syncFolder(end == std::string::npos ? std::string(".") : to.substr(0, end));
    return true;
}

bool PowerLossFileSystem::replaceFileUnsynced(const std::string& from, const std::string& to) {
    if (off_ || !inner_.replaceFileUnsynced(from, to)) return false;
    recordRename(from, to);
    return true;
}

void PowerLossFileSystem::syncFolder(const std::string& folder) {
    if (off_) return;
    if (syncsInner()) inner_.syncFolder(folder);
    if (const auto pieces = tracked(folder)) model_->sync(*pieces);
}

std::vector<std::string> PowerLossFileSystem::listSubFolders(const std::string& folder, const std::string& mask) {
    if (off_) return {};
    return inner_.listSubFolders(folder, mask);
}

bool PowerLossFileSystem::folderIsEmpty(const std::string& folder) { return !off_ && inner_.folderIsEmpty(folder); }

bool PowerLossFileSystem::removeFolder(const std::string& folder) {
    if (off_ || !inner_.removeFolder(folder)) return false;
    if (const auto pieces = tracked(folder)) model_->remove(*pieces);
    return true;
}

std::optional<std::uint64_t> PowerLossFileSystem::freeSpace(const std::string& folder) {
    if (off_) return std::nullopt;
    return inner_.freeSpace(folder);
}

std::optional<bool> PowerLossFileSystem::readOnly(const std::string& path) {
    if (off_) return std::nullopt;
    return inner_.readOnly(path);
}

bool PowerLossFileSystem::setReadOnly(const std::string& path, bool readOnly) {
    return !off_ && inner_.setReadOnly(path, readOnly);
}

std::unique_ptr<platform::ReadableFile> PowerLossFileSystem::openRead(const std::string& path,
                                                                      platform::Sharing sharing) {
    checkPower(path);
    return std::make_unique<ModelReadable>(*this, inner_.openRead(path, sharing));
}

std::unique_ptr<platform::WritableFile> PowerLossFileSystem::createWrite(const std::string& path) {
    checkPower(path);
    const bool existed = inner_.fileExists(path);
    auto file = inner_.createWrite(path);
    NodePtr node = fileNode(path, !existed);
    if (node && existed) model_->truncate(node);
    return std::make_unique<ModelWritable>(*this, std::move(file), std::move(node));
}

std::unique_ptr<platform::RandomAccessFile> PowerLossFileSystem::openReadWrite(const std::string& path,
                                                                               platform::Sharing sharing,
                                                                               bool create) {
    checkPower(path);
    const bool existed = inner_.fileExists(path);
    auto file = inner_.openReadWrite(path, sharing, create);
    return std::make_unique<ModelRandomAccess>(*this, std::move(file), fileNode(path, !existed));
}

std::unique_ptr<platform::RandomAccessFile> PowerLossFileSystem::createNew(const std::string& path,
                                                                           platform::Sharing sharing) {
    checkPower(path);
    auto file = inner_.createNew(path, sharing);
    return std::make_unique<ModelRandomAccess>(*this, std::move(file), fileNode(path, true));
}

}  // namespace testsupport
