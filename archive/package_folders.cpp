// The rule compares letter case exactly: "Dodatki.mdb" is not a catalog.
#include "archive/package_folders.h"

#include "archive/read_archive.h"
#include "session/catalog_file_name.h"

namespace archive {

std::optional<std::string> packageFolderOf(std::string_view memberName) {
    const std::size_t cut = memberName.find_last_of("\\:");
    if (cut == std::string_view::npos) return std::nullopt;
    const std::string_view directory = memberName.substr(0, cut + 1);
    const std::string_view filename = memberName.substr(cut + 1);
    if (filename != session::kCatalogFileName || directory.back() != '\\') return std::nullopt;
    const std::string_view folder = directory.substr(0, directory.size() - 1);
    if (folder.empty() || folder.find('\\') != std::string_view::npos) return std::nullopt;
    return std::string(folder);
}

std::string catalogMemberOf(std::string_view folder) {
    return std::string(folder) + '\\' + std::string(session::kCatalogFileName);
}

std::vector<std::string> GetSubFoldersListFromZip(session::Log& log, platform::FileSystem& fs, const std::string& SourceFile,
                                                  platform::ReadableFile* held) {
    std::vector<std::string> list;
    readArchive(log, fs, SourceFile, [&](zip::ZipReader& reader) {
        for (const zip::Entry& entry : reader.entries()) {
            if (auto folder = packageFolderOf(entry.name)) {
                log.info(2, {"Znaleziono podkatalog w ZIP : `", *folder, "`"});
                list.push_back(*folder);
            }
        }
        return true;
    }, {"Plik jest uszkodzony lub zawiera błędy!", ""}, held);
    return list;
}

}  // namespace archive
