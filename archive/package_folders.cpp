// The rule compares letter case exactly: "Dodatki.mdb" is not a catalog.
#include "archive/package_folders.h"

#include <optional>

#include "archive/archive_file.h"
#include "archive/archive_messages.h"
#include "archive/zip/zip_reader.h"

namespace archive {

std::optional<std::string> packageFolderOf(std::string_view memberName) {
    const std::size_t cut = memberName.find_last_of("\\:");
    if (cut == std::string_view::npos) return std::nullopt;
    const std::string_view directory = memberName.substr(0, cut + 1);
    const std::string_view filename = memberName.substr(cut + 1);
    if (filename != "dodatki.mdb" || directory.back() != '\\') return std::nullopt;
    const std::string_view folder = directory.substr(0, directory.size() - 1);
    if (folder.empty() || folder.find('\\') != std::string_view::npos) return std::nullopt;
    return std::string(folder);
}

std::vector<std::string> GetSubFoldersListFromZip(app::Log& log, platform::FileSystem& fs, const std::string& SourceFile) {
    std::vector<std::string> list;
    std::optional<ArchiveFile> file;
    if (fs.fileExists(SourceFile)) {
        try {
            file.emplace(fs, SourceFile);
        } catch (const platform::FileError& error) {
            log.info(1, messageFor(error));
            return list;
        }
    }
    if (!file || !file->isZipArchive()) {
        log.info(1, "Plik jest uszkodzony lub zawiera błędy!");
        return list;
    }
    try {
        zip::ZipReader reader(file->source());
        for (const zip::Entry& entry : reader.entries()) {
            if (auto folder = packageFolderOf(entry.name)) {
                log.info(2, "Znaleziono podkatalog w ZIP : `" + *folder + "`");
                list.push_back(*folder);
            }
        }
    } catch (const zip::ZipError& error) {
        log.info(1, messageFor(error));
    } catch (const std::exception& error) {
        log.info(1, error.what());
    }
    return list;
}

}  // namespace archive
