// The file-backed and memory-backed page sources.
#include "jet/page_source.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace jet {

namespace {

class FileSource final : public PageSource {
public:
    FileSource(std::string path, OpenMode mode) : path_(std::move(path)), mode_(mode) {
        // The C library opens files shared for reading and writing on every platform we
        // build for, which is what the catalog's users expect of the host program's files.
        file_ = std::fopen(path_.c_str(), mode == OpenMode::ReadOnly ? "rb" : "r+b");
        if (!file_) throw JetError(path_, std::string("cannot open: ") + std::strerror(errno));
        if (std::fseek(file_, 0, SEEK_END) != 0) fail("cannot seek");
        long end = std::ftell(file_);
        if (end < 0) fail("cannot tell the size");
        size_ = static_cast<std::uint64_t>(end);
    }
    ~FileSource() override {
        if (file_) std::fclose(file_);
    }
    const std::string& name() const override { return path_; }
    std::uint64_t size() const override { return size_; }

    void read(std::uint64_t offset, MutableBytes out) override {
        if (offset > size_ || out.size() > size_ - offset)
            throw JetError(path_, "read of " + std::to_string(out.size()) + " bytes at offset " +
                                      std::to_string(offset) + " is past the end of the file");
        seek(offset);
        if (std::fread(out.data(), 1, out.size(), file_) != out.size()) fail("cannot read");
    }
    bool writable() const override { return mode_ == OpenMode::ReadWrite; }
    void write(std::uint64_t offset, Bytes data) override {
        if (!writable()) throw JetError(path_, "the database is open read-only");
        seek(offset);
        if (std::fwrite(data.data(), 1, data.size(), file_) != data.size()) fail("cannot write");
        if (offset + data.size() > size_) size_ = offset + data.size();
    }
    void flush() override {
        if (std::fflush(file_) != 0) fail("cannot flush");
    }

private:
    void seek(std::uint64_t offset) {
        // Jet files stay below 2 GB, so a long offset is enough everywhere.
        if (offset > 0x7FFFFFFFu || std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0)
            fail("cannot seek to offset " + std::to_string(offset));
    }
    [[noreturn]] void fail(const std::string& what) {
        throw JetError(path_, what + ": " + std::strerror(errno));
    }
    std::string path_;
    OpenMode mode_;
    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;
};

class MemorySource final : public PageSource {
public:
    MemorySource(std::vector<std::uint8_t> bytes, std::string name)
        : bytes_(std::move(bytes)), name_(std::move(name)) {}
    const std::string& name() const override { return name_; }
    std::uint64_t size() const override { return bytes_.size(); }
    void read(std::uint64_t offset, MutableBytes out) override {
        if (offset > bytes_.size() || out.size() > bytes_.size() - offset)
            throw JetError(name_, "read of " + std::to_string(out.size()) + " bytes at offset " +
                                      std::to_string(offset) + " is past the end of the data");
        if (!out.empty()) std::memcpy(out.data(), bytes_.data() + offset, out.size());
    }
    bool writable() const override { return true; }
    void write(std::uint64_t offset, Bytes data) override {
        if (offset + data.size() > bytes_.size()) bytes_.resize(offset + data.size());
        if (!data.empty()) std::memcpy(bytes_.data() + offset, data.data(), data.size());
    }
    void flush() override {}

private:
    std::vector<std::uint8_t> bytes_;
    std::string name_;
};

}  // namespace

std::unique_ptr<PageSource> openFileSource(const std::string& path, OpenMode mode) {
    return std::make_unique<FileSource>(path, mode);
}

std::unique_ptr<PageSource> memorySource(std::vector<std::uint8_t> bytes, std::string name) {
    return std::make_unique<MemorySource>(std::move(bytes), std::move(name));
}

}  // namespace jet
