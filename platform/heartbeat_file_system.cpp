// The opened files wrap the inner ones; every call beats first.
#include "platform/heartbeat_file_system.h"

namespace platform {

namespace {

// An opened file of the inner system; calls made through inner() beat first.
template <typename File>
class Beating : public File {
public:
    Beating(std::unique_ptr<File> inner, const std::function<void()>& beat)
        : File(inner->path()), inner_(std::move(inner)), beat_(beat) {}

protected:
    File& inner() {
        beat_();
        return *inner_;
    }

    std::unique_ptr<File> inner_;

private:
    const std::function<void()>& beat_;
};

// What a read-only and a read-write file share. Asking the size does not beat.
template <typename File>
class BeatingReader : public Beating<File> {
public:
    using Beating<File>::Beating;
    std::int64_t size() override { return this->inner_->size(); }
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count) override {
        return this->inner().readAt(offset, buffer, count);
    }
};

using BeatingReadable = BeatingReader<ReadableFile>;

class BeatingRandomAccess : public BeatingReader<RandomAccessFile> {
public:
    using BeatingReader::BeatingReader;
    void writeAt(std::int64_t offset, const void* data, std::size_t count) override {
        inner().writeAt(offset, data, count);
    }
    void flush() override { inner().flush(); }
};

class BeatingWritable : public Beating<WritableFile> {
public:
    using Beating::Beating;
    void write(const void* data, std::size_t count) override { inner().write(data, count); }
    void close() override { inner().close(); }
};

}  // namespace

bool HeartbeatFileSystem::fileExists(const std::string& path) {
    return inner().fileExists(path);
}

bool HeartbeatFileSystem::folderExists(const std::string& path) {
    return inner().folderExists(path);
}

bool HeartbeatFileSystem::isLink(const std::string& path) {
    return inner().isLink(path);
}

bool HeartbeatFileSystem::createFolder(const std::string& path) {
    return inner().createFolder(path);
}

bool HeartbeatFileSystem::deleteFile(const std::string& path) {
    return inner().deleteFile(path);
}

bool HeartbeatFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    return inner().renameNoReplace(from, to);
}

bool HeartbeatFileSystem::replaceFile(const std::string& from, const std::string& to) {
    return inner().replaceFile(from, to);
}

bool HeartbeatFileSystem::replaceFileUnsynced(const std::string& from, const std::string& to) {
    return inner().replaceFileUnsynced(from, to);
}

void HeartbeatFileSystem::syncFolder(const std::string& folder) {
    inner().syncFolder(folder);
}

std::vector<std::string> HeartbeatFileSystem::listSubFolders(const std::string& folder, const std::string& mask) {
    return inner().listSubFolders(folder, mask);
}

bool HeartbeatFileSystem::folderIsEmpty(const std::string& folder) {
    return inner().folderIsEmpty(folder);
}

bool HeartbeatFileSystem::removeFolder(const std::string& folder) {
    return inner().removeFolder(folder);
}

std::optional<std::uint64_t> HeartbeatFileSystem::freeSpace(const std::string& folder) {
    return inner().freeSpace(folder);
}

std::optional<bool> HeartbeatFileSystem::readOnly(const std::string& path) {
    return inner().readOnly(path);
}

bool HeartbeatFileSystem::setReadOnly(const std::string& path, bool readOnly) {
    return inner().setReadOnly(path, readOnly);
}

std::unique_ptr<ReadableFile> HeartbeatFileSystem::openRead(const std::string& path, Sharing sharing) {
    return std::make_unique<BeatingReadable>(inner().openRead(path, sharing), beat_);
}

std::unique_ptr<WritableFile> HeartbeatFileSystem::createWrite(const std::string& path) {
    return std::make_unique<BeatingWritable>(inner().createWrite(path), beat_);
}

std::unique_ptr<RandomAccessFile> HeartbeatFileSystem::openReadWrite(const std::string& path, Sharing sharing,
                                                                     bool create) {
    return std::make_unique<BeatingRandomAccess>(inner().openReadWrite(path, sharing, create), beat_);
}

std::unique_ptr<RandomAccessFile> HeartbeatFileSystem::createNew(const std::string& path, Sharing sharing) {
    return std::make_unique<BeatingRandomAccess>(inner().createNew(path, sharing), beat_);
}

}  // namespace platform
