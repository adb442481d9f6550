// The opened files wrap the inner ones; every call beats first.
#include "platform/heartbeat_file_system.h"

namespace platform {

namespace {

class BeatingReadable : public ReadableFile {
public:
    BeatingReadable(std::unique_ptr<ReadableFile> inner, const std::function<void()>& beat)
        : ReadableFile(inner->path()), inner_(std::move(inner)), beat_(beat) {}
    std::int64_t size() override { return inner_->size(); }
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count) override {
        beat_();
        return inner_->readAt(offset, buffer, count);
    }

private:
    std::unique_ptr<ReadableFile> inner_;
    const std::function<void()>& beat_;
};

class BeatingWritable : public WritableFile {
public:
    BeatingWritable(std::unique_ptr<WritableFile> inner, const std::function<void()>& beat)
        : WritableFile(inner->path()), inner_(std::move(inner)), beat_(beat) {}
    void write(const void* data, std::size_t count) override {
        beat_();
        inner_->write(data, count);
    }
    void close() override {
        beat_();
        inner_->close();
    }

private:
    std::unique_ptr<WritableFile> inner_;
    const std::function<void()>& beat_;
};

class BeatingRandomAccess : public RandomAccessFile {
public:
    BeatingRandomAccess(std::unique_ptr<RandomAccessFile> inner, const std::function<void()>& beat)
        : RandomAccessFile(inner->path()), inner_(std::move(inner)), beat_(beat) {}
    std::int64_t size() override { return inner_->size(); }
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count) override {
        beat_();
        return inner_->readAt(offset, buffer, count);
    }
    void writeAt(std::int64_t offset, const void* data, std::size_t count) override {
        beat_();
        inner_->writeAt(offset, data, count);
    }
    void flush() override {
        beat_();
        inner_->flush();
    }

private:
    std::unique_ptr<RandomAccessFile> inner_;
    const std::function<void()>& beat_;
};

}  // namespace

bool HeartbeatFileSystem::fileExists(const std::string& path) {
    beat_();
    return inner_.fileExists(path);
}

bool HeartbeatFileSystem::folderExists(const std::string& path) {
    beat_();
    return inner_.folderExists(path);
}

bool HeartbeatFileSystem::isLink(const std::string& path) {
    beat_();
    return inner_.isLink(path);
}

bool HeartbeatFileSystem::createFolder(const std::string& path) {
    beat_();
    return inner_.createFolder(path);
}

bool HeartbeatFileSystem::deleteFile(const std::string& path) {
    beat_();
    return inner_.deleteFile(path);
}

bool HeartbeatFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    beat_();
    return inner_.renameNoReplace(from, to);
}

bool HeartbeatFileSystem::replaceFile(const std::string& from, const std::string& to) {
    beat_();
    return inner_.replaceFile(from, to);
}

bool HeartbeatFileSystem::replaceFileUnsynced(const std::string& from, const std::string& to) {
    beat_();
    return inner_.replaceFileUnsynced(from, to);
}

void HeartbeatFileSystem::syncFolder(const std::string& folder) {
    beat_();
    inner_.syncFolder(folder);
}

std::vector<std::string> HeartbeatFileSystem::listSubFolders(const std::string& folder, const std::string& mask) {
    beat_();
    return inner_.listSubFolders(folder, mask);
}

bool HeartbeatFileSystem::folderIsEmpty(const std::string& folder) {
    beat_();
    return inner_.folderIsEmpty(folder);
}

bool HeartbeatFileSystem::removeFolder(const std::string& folder) {
    beat_();
    return inner_.removeFolder(folder);
}

std::optional<std::uint64_t> HeartbeatFileSystem::freeSpace(const std::string& folder) {
    beat_();
    return inner_.freeSpace(folder);
}

std::optional<bool> HeartbeatFileSystem::readOnly(const std::string& path) {
    beat_();
    return inner_.readOnly(path);
}

bool HeartbeatFileSystem::setReadOnly(const std::string& path, bool readOnly) {
    beat_();
    return inner_.setReadOnly(path, readOnly);
}

std::unique_ptr<ReadableFile> HeartbeatFileSystem::openRead(const std::string& path, Sharing sharing) {
    beat_();
    return std::make_unique<BeatingReadable>(inner_.openRead(path, sharing), beat_);
}

std::unique_ptr<WritableFile> HeartbeatFileSystem::createWrite(const std::string& path) {
    beat_();
    return std::make_unique<BeatingWritable>(inner_.createWrite(path), beat_);
}

std::unique_ptr<RandomAccessFile> HeartbeatFileSystem::openReadWrite(const std::string& path, Sharing sharing,
                                                                     bool create) {
    beat_();
    return std::make_unique<BeatingRandomAccess>(inner_.openReadWrite(path, sharing, create), beat_);
}

std::unique_ptr<RandomAccessFile> HeartbeatFileSystem::createNew(const std::string& path, Sharing sharing) {
    beat_();
    return std::make_unique<BeatingRandomAccess>(inner_.createNew(path, sharing), beat_);
}

}  // namespace platform
