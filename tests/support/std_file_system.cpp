// stdio underneath: fopen/fread/fwrite with 64-bit seeks (the test data stay small).
#include "tests/support/std_file_system.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace testsupport {

namespace {

fs::path native(const std::string& path) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size()));
}

std::FILE* openFile(const std::string& path, const char* mode) {
#ifdef _WIN32
    std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(native(path).c_str(), wmode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

int seek(std::FILE* f, std::int64_t offset) {
#ifdef _WIN32
    return _fseeki64(f, offset, SEEK_SET);
#else
    return fseeko(f, static_cast<off_t>(offset), SEEK_SET);
#endif
}

class StdReadable : public platform::RandomAccessFile {
public:
    StdReadable(std::string path, std::FILE* f) : RandomAccessFile(std::move(path)), f_(f) {}
    ~StdReadable() override { std::fclose(f_); }
    std::int64_t size() override {
        std::error_code ec;
        return static_cast<std::int64_t>(fs::file_size(native(path()), ec));
    }
    std::size_t readAt(std::int64_t offset, void* buffer, std::size_t count) override {
        if (seek(f_, offset) != 0) throw platform::FileError(path(), "seek failed");
        const std::size_t n = std::fread(buffer, 1, count, f_);
        if (n < count && std::ferror(f_)) throw platform::FileError(path(), "read failed");
        return n;
    }
    void writeAt(std::int64_t offset, const void* data, std::size_t count) override {
        if (seek(f_, offset) != 0 || std::fwrite(data, 1, count, f_) != count)
            throw platform::FileError(path(), "write failed");
    }
    void flush() override { std::fflush(f_); }

private:
    std::FILE* f_;
};

class StdWritable : public platform::WritableFile {
public:
    StdWritable(std::string path, std::FILE* f) : WritableFile(std::move(path)), f_(f) {}
    ~StdWritable() override {
        if (f_) std::fclose(f_);
    }
    void write(const void* data, std::size_t count) override {
        if (std::fwrite(data, 1, count, f_) != count) throw platform::FileError(path(), "write failed");
    }
    void close() override {
        std::FILE* f = f_;
        f_ = nullptr;
        if (f && std::fclose(f) != 0) throw platform::FileError(path(), "close failed");
    }

private:
    std::FILE* f_;
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

bool StdFileSystem::createFolder(const std::string& path) {
    std::error_code ec;
    return fs::create_directory(native(path), ec);
}

bool StdFileSystem::deleteFile(const std::string& path) {
    if (readOnly.count(path)) return false;
    std::error_code ec;
    return fs::is_regular_file(native(path), ec) && fs::remove(native(path), ec);
}

bool StdFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (failRenames || fs::exists(native(to), ec)) return false;
    fs::rename(native(from), native(to), ec);
    return !ec;
}

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

std::unique_ptr<platform::ReadableFile> StdFileSystem::openRead(const std::string& path, platform::Sharing) {
    if (unreadable.count(path)) throw platform::FileError(path, "the file is locked by another program");
    std::FILE* f = openFile(path, "rb");
    if (!f) throw platform::FileError(path, "cannot open the file");
    return std::make_unique<StdReadable>(path, f);
}

std::unique_ptr<platform::WritableFile> StdFileSystem::createWrite(const std::string& path) {
    if (readOnly.count(path)) throw platform::FileError(path, "the file is read-only");
    std::FILE* f = openFile(path, "wb");
    if (!f) throw platform::FileError(path, "cannot create the file");
    return std::make_unique<StdWritable>(path, f);
}

std::unique_ptr<platform::RandomAccessFile> StdFileSystem::openReadWrite(const std::string& path, platform::Sharing,
                                                                         bool create) {
    if (readOnly.count(path)) throw platform::FileError(path, "the file is read-only");
    std::FILE* f = openFile(path, "r+b");
    if (!f && create) f = openFile(path, "w+b");
    if (!f) throw platform::FileError(path, "cannot open the file for writing");
    return std::make_unique<StdReadable>(path, f);
}

}  // namespace testsupport
