// Fault injection around a real FileSystem: every call is counted and checked against the
// faults before it reaches the wrapped file system, so a failed call changes nothing there.
#include "tests/support/fault_injecting_file_system.h"

#include "platform/wildcard.h"

namespace testsupport {

namespace {

bool isMutating(FileOperation operation) {
    return operation != FileOperation::OpenRead && operation != FileOperation::Read &&
           operation != FileOperation::List;
}

class FaultyReadable : public platform::ReadableFile {
public:
    FaultyReadable(FaultInjectingFileSystem& owner, std::unique_ptr<platform::ReadableFile> inner)
        : ReadableFile(inner->path()), owner_(owner), inner_(std::move(inner)) {}
    std::int64_t size() override { return inner_->size(); }
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count) override {
        if (owner_.shouldFail(FileOperation::Read, path()))
            owner_.throwInjected(FileOperation::Read, path());
        return inner_->readAt(offset, buffer, count);
    }

private:
    FaultInjectingFileSystem& owner_;
    std::unique_ptr<platform::ReadableFile> inner_;
};

class FaultyWritable : public platform::WritableFile {
public:
    FaultyWritable(FaultInjectingFileSystem& owner, std::unique_ptr<platform::WritableFile> inner)
        : WritableFile(inner->path()), owner_(owner), inner_(std::move(inner)) {}
    void write(const void* data, std::size_t count) override {
        if (owner_.shouldFail(FileOperation::Write, path()))
            owner_.throwInjected(FileOperation::Write, path());
        if (!inner_) throw platform::FileError(path(), "Write after close: " + path());
        inner_->write(data, count);
    }
    void close() override {
        if (owner_.shouldFail(FileOperation::Close, path())) {
            // The file is closed all the same, as a failing fclose leaves it.
            inner_.reset();
            owner_.throwInjected(FileOperation::Close, path());
        }
        if (inner_) inner_->close();
    }

private:
    FaultInjectingFileSystem& owner_;
    std::unique_ptr<platform::WritableFile> inner_;
};

class FaultyRandomAccess : public platform::RandomAccessFile {
public:
    FaultyRandomAccess(FaultInjectingFileSystem& owner,
                       std::unique_ptr<platform::RandomAccessFile> inner)
        : RandomAccessFile(inner->path()), owner_(owner), inner_(std::move(inner)) {}
    std::int64_t size() override { return inner_->size(); }
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count) override {
        if (owner_.shouldFail(FileOperation::Read, path()))
            owner_.throwInjected(FileOperation::Read, path());
        return inner_->readAt(offset, buffer, count);
    }
    void writeAt(std::int64_t offset, const void* data, std::size_t count) override {
        if (owner_.shouldFail(FileOperation::Write, path()))
            owner_.throwInjected(FileOperation::Write, path());
        inner_->writeAt(offset, data, count);
    }
    void flush() override {
        if (owner_.shouldFail(FileOperation::Close, path()))
            owner_.throwInjected(FileOperation::Close, path());
        inner_->flush();
    }

private:
    FaultInjectingFileSystem& owner_;
    std::unique_ptr<platform::RandomAccessFile> inner_;
};

}  // namespace

const char* operationName(FileOperation operation) {
    switch (operation) {
        case FileOperation::CreateFolder: return "createFolder";
        case FileOperation::DeleteFile: return "deleteFile";
        case FileOperation::Rename: return "rename";
        case FileOperation::Replace: return "replace";
        case FileOperation::RemoveFolder: return "removeFolder";
        case FileOperation::CreateFile: return "createFile";
        case FileOperation::Write: return "write";
        case FileOperation::Close: return "close";
        case FileOperation::SetAttributes: return "setReadOnly";
        case FileOperation::SyncFolder: return "syncFolder";
        case FileOperation::OpenRead: return "openRead";
        case FileOperation::Read: return "read";
        case FileOperation::List: return "list";
    }
    return "?";
}

void FaultInjectingFileSystem::failMutation(std::size_t k, bool andAfter) {
    failAt_ = k;
    failAfter_ = andAfter;
    countBase_ = mutationCount_;
}

void FaultInjectingFileSystem::failOperation(FileOperation operation, std::string pathMask) {
    pathFaults_.push_back({operation, std::move(pathMask)});
}

void FaultInjectingFileSystem::clearFaults() {
    failAt_ = 0;
    failAfter_ = false;
    pathFaults_.clear();
}

bool FaultInjectingFileSystem::shouldFail(FileOperation operation, const std::string& path) {
    bool fail = false;
    if (isMutating(operation)) {
        const std::size_t number = ++mutationCount_ - countBase_;
        if (keepRecord) mutations_.push_back({operation, path});
        if (beforeMutation) beforeMutation(number, FileMutation{operation, path});
        if (failAt_ != 0 && (number == failAt_ || (failAfter_ && number > failAt_))) fail = true;
    }
    for (const PathFault& fault : pathFaults_)
        if (fault.operation == operation && platform::matchesMask(path, fault.pathMask)) fail = true;
    if (fail) ++injected_;
    return fail;
}

void FaultInjectingFileSystem::throwInjected(FileOperation operation, const std::string& path) {
    throw platform::FileError(path, std::string("Injected failure of ") + operationName(operation) +
                                        ": " + path);
}

bool FaultInjectingFileSystem::fileExists(const std::string& path) {
    return inner_.fileExists(path);
}

bool FaultInjectingFileSystem::folderExists(const std::string& path) {
    return inner_.folderExists(path);
}

bool FaultInjectingFileSystem::isLink(const std::string& path) { return inner_.isLink(path); }

bool FaultInjectingFileSystem::createFolder(const std::string& path) {
    return !shouldFail(FileOperation::CreateFolder, path) && inner_.createFolder(path);
}

bool FaultInjectingFileSystem::markedReadOnly(const std::string& path) {
    return windowsReadOnly && inner_.readOnly(path).value_or(false);
}

bool FaultInjectingFileSystem::deleteFile(const std::string& path) {
    return !shouldFail(FileOperation::DeleteFile, path) && !markedReadOnly(path) &&
           inner_.deleteFile(path);
}

bool FaultInjectingFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    return !shouldFail(FileOperation::Rename, from) && inner_.renameNoReplace(from, to);
}

bool FaultInjectingFileSystem::replaceFile(const std::string& from, const std::string& to) {
    return !shouldFail(FileOperation::Replace, from) && !markedReadOnly(to) &&
           inner_.replaceFile(from, to);
}

bool FaultInjectingFileSystem::replaceFileUnsynced(const std::string& from, const std::string& to) {
    return !shouldFail(FileOperation::Replace, from) && !markedReadOnly(to) &&
           inner_.replaceFileUnsynced(from, to);
}

void FaultInjectingFileSystem::syncFolder(const std::string& folder) {
    if (!shouldFail(FileOperation::SyncFolder, folder)) inner_.syncFolder(folder);
}

std::vector<std::string> FaultInjectingFileSystem::listSubFolders(const std::string& folder,
                                                                  const std::string& mask) {
    if (shouldFail(FileOperation::List, folder)) return {};
    return inner_.listSubFolders(folder, mask);
}

bool FaultInjectingFileSystem::folderIsEmpty(const std::string& folder) {
    return inner_.folderIsEmpty(folder);
}

bool FaultInjectingFileSystem::removeFolder(const std::string& folder) {
    return !shouldFail(FileOperation::RemoveFolder, folder) && inner_.removeFolder(folder);
}

std::optional<std::uint64_t> FaultInjectingFileSystem::freeSpace(const std::string& folder) {
    return fakeFreeSpace_ ? freeSpace_ : inner_.freeSpace(folder);
}

std::optional<bool> FaultInjectingFileSystem::readOnly(const std::string& path) {
    return inner_.readOnly(path);
}

bool FaultInjectingFileSystem::setReadOnly(const std::string& path, bool readOnly) {
    return !shouldFail(FileOperation::SetAttributes, path) && inner_.setReadOnly(path, readOnly);
}

std::unique_ptr<platform::ReadableFile> FaultInjectingFileSystem::openRead(
    const std::string& path, platform::Sharing sharing) {
    if (shouldFail(FileOperation::OpenRead, path)) throwInjected(FileOperation::OpenRead, path);
    return std::make_unique<FaultyReadable>(*this, inner_.openRead(path, sharing));
}

std::unique_ptr<platform::WritableFile> FaultInjectingFileSystem::createWrite(
    const std::string& path) {
    if (shouldFail(FileOperation::CreateFile, path)) throwInjected(FileOperation::CreateFile, path);
    return std::make_unique<FaultyWritable>(*this, inner_.createWrite(path));
}

std::unique_ptr<platform::RandomAccessFile> FaultInjectingFileSystem::openReadWrite(
    const std::string& path, platform::Sharing sharing, bool create) {
    const FileOperation operation = create ? FileOperation::CreateFile : FileOperation::OpenRead;
    if (shouldFail(operation, path)) throwInjected(operation, path);
    if (markedReadOnly(path))
        throw platform::FileError(platform::FileAction::Open, path, platform::FileFailure::AccessDenied,
                                  "the file is read-only");
    return std::make_unique<FaultyRandomAccess>(*this, inner_.openReadWrite(path, sharing, create));
}

std::unique_ptr<platform::RandomAccessFile> FaultInjectingFileSystem::createNew(
    const std::string& path, platform::Sharing sharing) {
    if (shouldFail(FileOperation::CreateFile, path)) throwInjected(FileOperation::CreateFile, path);
    return std::make_unique<FaultyRandomAccess>(*this, inner_.createNew(path, sharing));
}

}  // namespace testsupport
