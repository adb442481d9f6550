#include "archive/read_archive.h"

#include <optional>

#include "archive/archive_file.h"
#include "archive/archive_messages.h"

namespace archive {

bool readArchive(app::Log& log, platform::FileSystem& fs, const std::string& path,
                 const std::function<bool(zip::ZipReader&)>& use, const std::string& notAnArchive) {
    std::optional<ArchiveFile> file;
    if (fs.fileExists(path)) {
        try {
            file.emplace(fs, path);
        } catch (const platform::FileError& error) {
            log.info(1, messageFor(error));
            return false;
        }
    }
    if (!file || !file->isZipArchive()) {
        if (!notAnArchive.empty()) log.info(1, notAnArchive);
        return false;
    }
    try {
        zip::ZipReader reader(file->source());
        return use(reader);
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
