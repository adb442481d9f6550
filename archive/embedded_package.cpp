// Sizes and positions are 64-bit throughout; the copy streams through a fixed buffer.
#include "archive/embedded_package.h"

#include <memory>
#include <optional>
#include <vector>

#include "archive/installer_trailer.h"
#include "archive/offset_field.h"
#include "engine_text/file_error_text.h"
#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace archive {

namespace {

constexpr std::size_t kCopyBuffer = 1u << 20;

// Deletes the short-lived "zip-offset.txt" on every path out of the block.
class TemporaryFileGuard {
public:
    TemporaryFileGuard(platform::FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
    ~TemporaryFileGuard() { remove(); }
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;
    void remove() {
        try {
            if (fs_.fileExists(path_)) fs_.deleteFile(path_);
        } catch (...) {
        }
    }

private:
    platform::FileSystem& fs_;
    std::string path_;
};

std::string readWhole(platform::FileSystem& fs, const std::string& path) {
    auto file = fs.openRead(path, platform::Sharing::ReadOnlyForOthers);
    std::string text(static_cast<std::size_t>(file->size()), '\0');
    text.resize(file->readAt(0, text.data(), text.size()));
    return text;
}

struct OffsetReading {
    bool valid = false;
    std::int64_t value = 0;
};

// The temporary file read back as text and parsed; a file that cannot be read is invalid.
OffsetReading readOffsetFile(platform::FileSystem& fs, const std::string& path) {
    try {
        if (const auto value = parseOffsetField(readWhole(fs, path))) return {true, *value};
    } catch (const platform::FileError&) {
    }
    return {};
}

void copyRange(platform::ReadableFile& from, std::int64_t offset, std::int64_t count, platform::RandomAccessFile& to) {
    std::vector<char> buffer(kCopyBuffer);
    std::int64_t written = 0;
    while (count > 0) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(count, kCopyBuffer));
        const std::size_t got = from.readAt(offset, buffer.data(), want);
        if (got == 0) throw platform::FileError(from.path(), platform::concat({"Plik skończył się przed końcem archiwum: ", from.path()}));
        to.writeAt(written, buffer.data(), got);
        written += static_cast<std::int64_t>(got);
        offset += static_cast<std::int64_t>(got);
        count -= static_cast<std::int64_t>(got);
    }
}

// The working copy made where no file is: whatever lies at the path (an earlier run's copy,
// or a file or link another program put there) goes first, and when it cannot go the copy is
// not made, since reusing it would install what this installer does not carry.
std::unique_ptr<platform::RandomAccessFile> createWorkingCopy(platform::FileSystem& fs, const std::string& path) {
    fs.deleteFile(path);
    if (fs.fileExists(path) || fs.folderExists(path) || fs.isLink(path))
        throw platform::FileError(path, platform::concat({"Nie można usunąć starego pliku ", path,
                                                             " z folderu roboczego. Usuń go i uruchom instalator ponownie."}));
    // Others may read it, none may write, rename or delete it while this run holds it.
    return fs.createNew(path, platform::Sharing::ReadOnlyForOthers);
}

// An archive an earlier run left, opened to be held; nullptr when there is none.
std::unique_ptr<platform::ReadableFile> openEarlierCopy(platform::FileSystem& fs, const std::string& path,
                                                        session::Log& log) {
    if (!fs.fileExists(path)) return nullptr;
    try {
        return fs.openRead(path, platform::Sharing::ReadOnlyForOthers);
    } catch (const platform::FileError& error) {
        log.info(1, engine_text::fileErrorText(error));
        return nullptr;
    }
}

}  // namespace

std::unique_ptr<platform::ReadableFile> extractEmbeddedPackage(const std::string& exePath,
                                                               const session::InstallerState& state,
                                                               session::Log& log, platform::FileSystem& fs) {
    log.info(2, {"Plik EXE z archiwum: ", exePath});
    auto exe = fs.openRead(exePath, platform::Sharing::ReadOnlyForOthers);
    const TrailerLocation where = locateTrailer(*exe);
    log.info(2, {"FileSize: ", platform::DecimalPiece(where.fileSize)});

    const std::string offsetFile = platform::concat({state.tmpDir, "zip-offset.txt"});
    TemporaryFileGuard guard(fs, offsetFile);
    {
        const std::int64_t from = std::max<std::int64_t>(where.fieldEnd - static_cast<std::int64_t>(kOffsetFieldSize), 0);
        char field[kOffsetFieldSize];
        const std::size_t got = exe->readAt(from, field, static_cast<std::size_t>(where.fieldEnd - from));
        auto out = fs.createWrite(offsetFile);
        out->write(field, got);
        out->close();
    }

    // An offset that leaves no archive before the field cannot name an archive: the trailer is
    // damaged, and it is treated as an unreadable field.
    const std::int64_t fieldStart = where.fieldEnd - static_cast<std::int64_t>(kOffsetFieldSize);
    const OffsetReading reading = readOffsetFile(fs, offsetFile);
    const bool valid = reading.valid && !(reading.value > 0 && reading.value >= fieldStart);
    std::int64_t offsetExe = 0;
    if (valid) {
        offsetExe = reading.value;
        log.info(2, {"Offset EXE: ", platform::DecimalPiece(offsetExe)});
    } else {
        log.info(1, "Brak zawartego pakietu!");
    }
    guard.remove();

    if (offsetExe <= 0) return openEarlierCopy(fs, state.sourceZip, log);
    auto zip = createWorkingCopy(fs, state.sourceZip);
    copyRange(*exe, offsetExe, fieldStart - offsetExe, *zip);
    return zip;
}

}  // namespace archive
