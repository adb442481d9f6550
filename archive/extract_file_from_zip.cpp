// Errors of the reader are caught here (their message at level 1, result false), because the
// preparation sequence that calls it can only tell a written cover from a missing one.
#include "archive/extract_file_from_zip.h"

#include "archive/member_extraction.h"
#include "archive/read_archive.h"

namespace archive {

bool ExtractFileFromZip(session::Log& log, platform::FileSystem& fs, const std::string& SourceFile,
                        const std::string& DestinationDir, const std::string& FileName,
                        platform::ReadableFile* held) {
    log.info(2, {"Rozpakowywujemy z `", SourceFile, "` plik `", FileName, "` do katalogu `",
                 DestinationDir, "`"});
    return readArchive(log, fs, SourceFile, [&](zip::ZipReader& reader) {
        const std::ptrdiff_t index = reader.find(FileName);
        if (index < 0) return false;
        PendingFolderSyncs pending(fs);
        extractMember(reader, static_cast<std::size_t>(index), DestinationDir, fs, pending);
        pending.syncAll();
        return true;
    }, {}, held);
}

}  // namespace archive
