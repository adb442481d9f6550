// Standard streams underneath, opened by std::filesystem paths so that UTF-8 names work on
// Windows too.
#include "tests/support/std_file_system.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace testsupport {

namespace {

fs::path native(const std::string& path) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size()));
}

// One spelling per folder, with or without a trailing separator.
std::string folderKey(const fs::path& folder) {
    fs::path normal = folder.lexically_normal();
    if (!normal.has_filename() && normal.has_parent_path() && normal != normal.root_path())
        normal = normal.parent_path();
    return normal.string();
}

class StdReadable : public platform::RandomAccessFile {
public:
    StdReadable(std::string path, std::fstream stream) : RandomAccessFile(std::move(path)), f_(std::move(stream)) {}
    std::int64_t size() override {
        std::error_code ec;
        return static_cast<std::int64_t>(fs::file_size(native(path()), ec));
    }
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count) override {
        f_.clear();
        f_.seekg(offset);
        f_.read(static_cast<char*>(buffer), static_cast<std::streamsize>(count));
        if (f_.bad()) throw platform::FileError(path(), "read failed: " + path());
        return static_cast<std::size_t>(f_.gcount());
    }
    void writeAt(std::int64_t offset, const void* data, std::size_t count) override {
        f_.clear();
        f_.seekp(offset);
        f_.write(static_cast<const char*>(data), static_cast<std::streamsize>(count));
        if (!f_) throw platform::FileError(path(), "write failed: " + path());
    }
    void flush() override { f_.flush(); }

private:
    std::fstream f_;
};

class StdWritable : public platform::WritableFile {
public:
    StdWritable(std::string path, std::ofstream stream) : WritableFile(std::move(path)), f_(std::move(stream)) {}
    void write(const void* data, std::size_t count) override {
        f_.write(static_cast<const char*>(data), static_cast<std::streamsize>(count));
        if (!f_) throw platform::FileError(path(), "write failed: " + path());
    }
    void close() override {
        if (!f_.is_open()) return;
        f_.close();
        if (!f_) throw platform::FileError(path(), "close failed: " + path());
    }

private:
    std::ofstream f_;
};

}  // namespace

bool StdFileSystem::fileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(native(path), ec);
}

bool StdFileSystem::folderExists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(native(path), ec);
}

bool StdFileSystem::isLink(const std::string& path) {
    std::string name = path;
    while (name.size() > 1 && (name.back() == '/' || name.back() == '\\')) name.pop_back();
    std::error_code ec;
    return fs::is_symlink(native(name), ec);
}

bool StdFileSystem::createFolder(const std::string& path) {
    std::error_code ec;
    return fs::create_directory(native(path), ec);
}

bool StdFileSystem::deleteFile(const std::string& path) {
    if (readOnlyPaths.count(path)) return false;
    std::error_code ec;
    return fs::is_regular_file(native(path), ec) && fs::remove(native(path), ec);
}

bool StdFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (failRenames || fs::exists(native(to), ec)) return false;
    fs::rename(native(from), native(to), ec);
    return !ec;
}

bool StdFileSystem::replaceFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (failRenames || readOnlyPaths.count(to) || !fs::is_regular_file(native(from), ec)) return false;
    fs::rename(native(from), native(to), ec);
    return !ec;
}

bool StdFileSystem::replaceFileUnsynced(const std::string& from, const std::string& to) {
    if (!replaceFile(from, to)) return false;
    unsynced.insert(folderKey(native(to).parent_path()));
    return true;
}

void StdFileSystem::syncFolder(const std::string& folder) { unsynced.erase(folderKey(native(folder))); }

std::vector<std::string> StdFileSystem::listSubFolders(const std::string& folder, const std::string&) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(native(folder), ec))
        if (item.is_directory()) names.push_back(item.path().filename().string());
    return names;
}

bool StdFileSystem::folderIsEmpty(const std::string& folder) {
    std::error_code ec;
    return fs::is_empty(native(folder), ec);
}

bool StdFileSystem::removeFolder(const std::string& folder) {
    std::error_code ec;
    return fs::remove(native(folder), ec);
}

std::optional<std::uint64_t> StdFileSystem::freeSpace(const std::string& folder) {
    std::error_code ec;
    const fs::space_info space = fs::space(native(folder), ec);
    if (ec) return std::nullopt;
    return space.available;
}

std::optional<bool> StdFileSystem::readOnly(const std::string& path) {
    if (!fileExists(path)) return std::nullopt;
    return readOnlyPaths.count(path) != 0;
}

bool StdFileSystem::setReadOnly(const std::string& path, bool mark) {
    if (!fileExists(path)) return false;
    if (mark) readOnlyPaths.insert(path);
    else readOnlyPaths.erase(path);
    return true;
}

std::unique_ptr<platform::ReadableFile> StdFileSystem::openRead(const std::string& path, platform::Sharing) {
    if (unreadable.count(path)) throw platform::FileError(path, "the file is locked by another program: " + path);
    std::fstream f(native(path), std::ios::in | std::ios::binary);
    if (!f) throw platform::FileError(path, "cannot open the file: " + path);
    return std::make_unique<StdReadable>(path, std::move(f));
}

std::unique_ptr<platform::WritableFile> StdFileSystem::createWrite(const std::string& path) {
    if (readOnlyPaths.count(path)) throw platform::FileError(path, "the file is read-only: " + path);
    std::ofstream f(native(path), std::ios::out | std::ios::binary | std::ios::trunc);
    if (!f) throw platform::FileError(path, "cannot create the file: " + path);
    return std::make_unique<StdWritable>(path, std::move(f));
}

std::unique_ptr<platform::RandomAccessFile> StdFileSystem::openReadWrite(const std::string& path, platform::Sharing,
                                                                         bool create) {
    if (readOnlyPaths.count(path)) throw platform::FileError(path, "the file is read-only: " + path);
    std::fstream f(native(path), std::ios::in | std::ios::out | std::ios::binary);
    if (!f && create) f.open(native(path), std::ios::in | std::ios::out | std::ios::binary | std::ios::trunc);
    if (!f) throw platform::FileError(path, "cannot open the file for writing: " + path);
    return std::make_unique<StdReadable>(path, std::move(f));
}

std::unique_ptr<platform::RandomAccessFile> StdFileSystem::createNew(const std::string& path,
                                                                     platform::Sharing) {
    if (readOnlyPaths.count(path)) throw platform::FileError(path, "the file is read-only: " + path);
    std::error_code ec;
    if (fs::exists(native(path), ec)) throw platform::FileError(path, "the file exists already: " + path);
    std::fstream f(native(path), std::ios::in | std::ios::out | std::ios::binary | std::ios::trunc);
    if (!f) throw platform::FileError(path, "cannot create the file: " + path);
    return std::make_unique<StdReadable>(path, std::move(f));
}

}  // namespace testsupport
