// An archive file opened through the FileSystem seam, seen by the ZIP reader as a Source.
// The file is held open (others may read, none may write) for as long as the object lives.
#pragma once

#include <memory>
#include <string>

#include "archive/zip/source.h"
#include "platform/file_system.h"

namespace archive {

class ArchiveFile {
public:
    // Throws platform::FileError when the file cannot be opened.
    ArchiveFile(platform::FileSystem& fs, const std::string& path);
    // An archive already open (the held working copy); `file` must outlive this object.
    explicit ArchiveFile(platform::ReadableFile& file);

    // The whole file as a source; valid while this object lives.
    zip::Source source() const;
    // The validity check: an end record lies within the file's tail.
    bool isZipArchive() const;

private:
    std::unique_ptr<platform::ReadableFile> owned_;
    platform::ReadableFile* file_;
};

// A source over any readable file (a region of it with zip::regionSource).
zip::Source fileSource(platform::ReadableFile& file);

}  // namespace archive
