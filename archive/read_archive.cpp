// Opens, checks, reads and logs the way every archive operation of the installer does.
#include "archive/read_archive.h"

#include <optional>

#include "archive/archive_file.h"
#include "archive/archive_messages.h"
#include "engine_text/file_error_text.h"

namespace archive {

bool readArchive(session::Log& log, platform::FileSystem& fs, const std::string& path,
                 platform::FunctionRef<bool(zip::ZipReader&)> use, const ArchiveFailureText& text,
                 platform::ReadableFile* held) {
    std::optional<ArchiveFile> file;
    if (held) {
        file.emplace(*held);
    } else if (fs.fileExists(path)) {
        try {
            file.emplace(fs, path);
        } catch (const platform::FileError& error) {
            log.info(1, engine_text::fileErrorText(error));
            return false;
        }
    }
    if (!file || !file->isZipArchive()) {
        if (!text.notAnArchive.empty()) log.info(1, text.notAnArchive);
        return false;
    }
    try {
        zip::ZipReader reader(file->source());
        return use(reader);
    } catch (const zip::ZipError& error) {
        log.info(1, {messageFor(error), text.zipAdvice});
    } catch (const platform::FileError& error) {
        log.info(1, engine_text::fileErrorText(error));
    } catch (const std::exception& error) {
        log.info(1, error.what());
    }
    return false;
}

}  // namespace archive
