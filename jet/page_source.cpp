// The file-backed and memory-backed page sources.
#include "jet/page_source.h"

#include <cstring>

#include "platform/decimal_piece.h"
#include "platform/file_system.h"

namespace jet {

namespace {

// Throws the JetError for a failure of the system, in the system's own words where the file
// system gave them. One copy for the file source's four calls.
[[noreturn]] void failSystem(JetFault fault, const std::string& path, const char* what,
                             const platform::FileError& error) {
    throw JetError::system(fault, path, what,
                           error.reason().empty() ? std::string_view(error.what()) : std::string_view(error.reason()),
                           error.failure());
}

// A file opened through the platform's file system, shared for reading and writing with
// other programs (the host program keeps its catalogs open while we work on them).
class FileSource final : public PageSource {
public:
    FileSource(platform::FileSystem& files, std::string path, OpenMode mode, bool createNew)
        : path_(std::move(path)) {
        try {
            if (createNew) {
                writer_ = files.createNew(path_, platform::Sharing::ReadWriteForOthers);
            } else if (mode == OpenMode::ReadOnly) {
                reader_ = files.openRead(path_, platform::Sharing::ReadWriteForOthers);
            } else {
                writer_ = files.openReadWrite(path_, platform::Sharing::ReadWriteForOthers);
                reader_ = nullptr;
            }
            std::int64_t size = file().size();
            size_ = size < 0 ? 0 : static_cast<std::uint64_t>(size);
        } catch (const platform::FileError& error) {
            failSystem(createNew ? JetFault::CannotCreate : JetFault::CannotOpen, path_,
                       createNew ? "cannot create" : "cannot open", error);
        }
    }
    const std::string& name() const override { return path_; }
    std::uint64_t size() const override { return size_; }

    void read(std::uint64_t offset, MutableBytes out) override {
        if (offset > size_ || out.size() > size_ - offset)
            throwJetError(JetFault::Damaged, path_, {"read of ", platform::DecimalPiece(out.size()), " bytes at offset ",
                                                     platform::DecimalPiece(offset), " is past the end of the file"});
        std::size_t done = 0;
        try {
            while (done < out.size()) {
                std::size_t got = file().readAt(static_cast<std::int64_t>(offset + done),
                                                out.data() + done, out.size() - done);
                if (got == 0) break;
                done += got;
            }
        } catch (const platform::FileError& error) {
            failSystem(JetFault::CannotRead, path_, "cannot read", error);
        }
        if (done != out.size())
            throwJetError(JetFault::Damaged, path_, {"the file ended while reading offset ", platform::DecimalPiece(offset)});
    }
    bool writable() const override { return writer_ != nullptr; }
    void write(std::uint64_t offset, Bytes data) override {
        if (!writer_) throw JetError(JetFault::ReadOnly, path_, "the database is open read-only");
        try {
            writer_->writeAt(static_cast<std::int64_t>(offset), data.data(), data.size());
        } catch (const platform::FileError& error) {
            failSystem(JetFault::CannotWrite, path_, "cannot write", error);
        }
        if (offset + data.size() > size_) size_ = offset + data.size();
    }
    void flush() override {
        if (!writer_) return;
        try {
            writer_->flush();
        } catch (const platform::FileError& error) {
            failSystem(JetFault::CannotWrite, path_, "cannot flush", error);
        }
    }

private:
    platform::ReadableFile& file() { return writer_ ? *writer_ : *reader_; }
    std::string path_;
    std::unique_ptr<platform::ReadableFile> reader_;
    std::unique_ptr<platform::RandomAccessFile> writer_;
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
            throwJetError(JetFault::Damaged, name_, {"read of ", platform::DecimalPiece(out.size()), " bytes at offset ",
                                                     platform::DecimalPiece(offset), " is past the end of the data"});
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

std::unique_ptr<PageSource> openFileSource(platform::FileSystem& files, const std::string& path,
                                           OpenMode mode) {
    return std::make_unique<FileSource>(files, path, mode, false);
}

std::unique_ptr<PageSource> createFileSource(platform::FileSystem& files, const std::string& path) {
    return std::make_unique<FileSource>(files, path, OpenMode::ReadWrite, true);
}

std::unique_ptr<PageSource> memorySource(std::vector<std::uint8_t> bytes, std::string name) {
    return std::make_unique<MemorySource>(std::move(bytes), std::move(name));
}

}  // namespace jet
