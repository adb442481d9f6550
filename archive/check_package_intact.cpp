// Members are read in central-directory order into a sink that keeps nothing: the reader
// itself inflates, counts and compares the CRC-32 at each member's end.
#include "archive/check_package_intact.h"

#include <optional>

#include "archive/archive_file.h"
#include "archive/archive_messages.h"
#include "archive/zip/zip_error.h"
#include "archive/zip/zip_reader.h"
#include "platform/ascii_case.h"

namespace archive {

namespace {

bool isCatalogMember(const std::string& name, const std::string& packageName) {
    const std::string tail = "dodatki.mdb";
    if (name.size() != packageName.size() + 1 + tail.size()) return false;
    if (name.compare(0, packageName.size(), packageName) != 0) return false;
    const char separator = name[packageName.size()];
    return (separator == '\\' || separator == '/') &&
           platform::equalsIgnoringAsciiCase(name.substr(packageName.size() + 1), tail);
}

}  // namespace

bool checkPackageIntact(app::Log& log, platform::FileSystem& fs, const app::InstallerState& state,
                        const std::string& sourceZip, PackageSizes& sizes) {
    try {
        ArchiveFile file(fs, sourceZip);
        if (!file.isZipArchive()) {
            log.info(1, "Plik " + sourceZip + " nie jest archiwum ZIP. Pobierz instalator ponownie.");
            return false;
        }
        zip::ZipReader reader(file.source());
        const std::string cover = state.packageName + ".jpg";
        const std::string text = state.packageName + ".txt";
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
        log.info(2, "Sprawdzono sumy kontrolne " + std::to_string(reader.size()) + " plików pakietu.");
        return true;
    } catch (const zip::ZipError& error) {
        log.info(1, messageFor(error) + " Pobierz instalator ponownie.");
    } catch (const platform::FileError& error) {
        log.info(1, messageFor(error));
    }
    return false;
}

}  // namespace archive
