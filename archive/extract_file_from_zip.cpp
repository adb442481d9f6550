// Errors of the reader are caught here (their message at level 1, result false), because the
// preparation sequence that calls it can only tell a written cover from a missing one.
#include "archive/extract_file_from_zip.h"

#include <optional>

#include "archive/archive_file.h"
#include "archive/archive_messages.h"
#include "archive/member_extraction.h"
#include "archive/member_safety.h"

namespace archive {

bool ExtractFileFromZip(app::Log& log, platform::FileSystem& fs, const std::string& SourceFile,
                        const std::string& DestinationDir, const std::string& FileName) {
    log.info(2, "Rozpakowywujemy z `" + SourceFile + "` plik `" + FileName + "` do katalogu `" + DestinationDir + "`");
    if (!fs.fileExists(SourceFile)) return false;
    std::optional<ArchiveFile> file;
    try {
        file.emplace(fs, SourceFile);
    } catch (const platform::FileError& error) {
        log.info(1, messageFor(error));
        return false;
    }
    if (!file->isZipArchive()) return false;
    try {
        zip::ZipReader reader(file->source());
        const std::ptrdiff_t index = reader.find(FileName);
        if (index < 0) return false;
        extractMember(reader, static_cast<std::size_t>(index), DestinationDir, fs);
        return true;
    } catch (const zip::ZipError& error) {
        log.info(1, messageFor(error));
    } catch (const platform::FileError& error) {
        log.info(1, messageFor(error));
    } catch (const std::exception& error) {
        log.info(1, error.what());
    }
    return false;
}

}  // namespace archive
