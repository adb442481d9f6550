// The source reads through the file's positional reads; no stream position is shared.
#include "archive/archive_file.h"

#include "archive/zip/end_record.h"

namespace archive {

zip::Source fileSource(platform::ReadableFile& file) {
    zip::Source source;
    source.size = static_cast<std::uint64_t>(file.size());
    source.readAt = [&file](std::uint64_t offset, void* buffer, std::size_t count) {
        return file.readAt(static_cast<std::int64_t>(offset), buffer, count);
    };
    return source;
}

ArchiveFile::ArchiveFile(platform::FileSystem& fs, const std::string& path)
    : owned_(fs.openRead(path, platform::Sharing::ReadOnlyForOthers)), file_(owned_.get()) {}

ArchiveFile::ArchiveFile(platform::ReadableFile& file) : file_(&file) {}

zip::Source ArchiveFile::source() const { return fileSource(*file_); }

bool ArchiveFile::isZipArchive() const {
    try {
        return zip::hasEndRecord(source());
    } catch (...) {
        return false;
    }
}

}  // namespace archive
