// Members are read in central-directory order into a sink that keeps nothing: the reader
// itself inflates, counts and compares the CRC-32 at each member's end.
#include "archive/check_package_intact.h"

#include "archive/read_archive.h"
#include "archive/zip/zip_reader.h"
#include "platform/ascii_case.h"
#include "platform/concat.h"
#include "platform/decimal_piece.h"
#include "session/catalog_file_name.h"

namespace archive {

namespace {

bool isCatalogMember(const std::string& name, const std::string& packageName) {
    const std::string_view tail = session::kCatalogFileName;
    if (name.size() != packageName.size() + 1 + tail.size()) return false;
    if (name.compare(0, packageName.size(), packageName) != 0) return false;
    const char separator = name[packageName.size()];
    return (separator == '\\' || separator == '/') &&
           platform::equalsIgnoringAsciiCase(name.substr(packageName.size() + 1), tail);
}

}  // namespace

bool checkPackageIntact(session::Log& log, platform::FileSystem& fs, const session::InstallerState& state,
                        const std::string& sourceZip, PackageSizes& sizes) {
    constexpr std::string_view again = " Pobierz instalator ponownie.";
    return readArchive(log, fs, sourceZip, [&](zip::ZipReader& reader) {
        const std::string cover = platform::concat({state.packageName, ".jpg"});
        const std::string text = platform::concat({state.packageName, ".txt"});
        PackageSizes found;
        for (std::size_t i = 0; i < reader.size(); ++i) {
            const zip::Entry& entry = reader.entries()[i];
            if (entry.isFolder()) {
                reader.checkMember(i);
                continue;
            }
            reader.extract(i, [](const char*, std::size_t) {});
            if (entry.name == cover || entry.name == text) continue;
            found.installed += entry.uncompressedSize;
            if (isCatalogMember(entry.name, state.packageName)) found.catalog = entry.uncompressedSize;
        }
        sizes = found;
        log.info(2,
                 {"Sprawdzono sumy kontrolne ", platform::DecimalPiece(reader.size()), " plików pakietu."});
        return true;
    }, {platform::concat({"Plik ", sourceZip, " nie jest archiwum ZIP.", again}), again}, state.heldArchiveAt(sourceZip));
}

}  // namespace archive
