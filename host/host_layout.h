// Where an installation of a package lives in the host folder, worked out in this one place:
// the add-on folder the archive is extracted into, the package's catalog folder, the catalog
// and every name the installation itself uses beside it (its temporary catalogs, the record
// of a running installation, the access test's copy), which a package may therefore not carry.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "session/catalog_file_name.h"

namespace host {

inline constexpr std::string_view kCatalogName = session::kCatalogFileName;
inline constexpr std::string_view kOldCatalogName = "dodatki_old.mdb";
inline constexpr std::string_view kNewCatalogName = "dodatki_new.mdb";
inline constexpr std::string_view kAccessTestName = "dodatki.mdb.old";
inline constexpr std::string_view kJournalName = "instalacja.lumor-dziennik";
// What a finished installation leaves: the package, the installer, the files.
// A text file, so that support opens it with a double click; kept, unlike the names above.
inline constexpr std::string_view kInstallRecordName = "instalacja.lumor.txt";
// Suffixes of a member's data while it is written, and of the file it replaces, kept until
// the installation is committed.
inline constexpr std::string_view kPartialSuffix = ".lumor-part";
inline constexpr std::string_view kAsideSuffix = ".lumor-odlozony";

struct HostLayout {
    std::string destinationDir;        // add-on folder: host folder (trimmed) + "dodatki" + separator
    std::string packageCatalogFolder;  // destinationDir + packageName + separator
    std::string destination;           // the package catalog, "dodatki.mdb"
    std::string old;                   // the user's catalog while the package is merged with it
    std::string nw;                    // the package's catalog while it is merged
    std::string accessTest;            // the name the access check renames the catalog to
    std::string journal;               // the record of an installation under way
    std::string installRecord;         // the record of the last finished installation
};

// `hostFolder` is the folder field's text as it stands (ending with the separator). The names
// along the way are those of the layout: host installation (found), host folder (the field's
// text), add-on folder (`destinationDir`, what the extraction takes as `DestinationDir`),
// package catalog folder, package catalog.
HostLayout hostLayoutFor(std::string_view hostFolder, const std::string& packageName);

// Why the package member `memberName` (stored with '\' or '/' separators) cannot be installed
// because the installation uses its name, as a Polish phrase; nothing when it may. Names are
// compared as Windows compares them, without letter case.
std::optional<std::string> reservedMemberRefusal(const std::string& memberName,
                                                 const std::string& packageName);

}  // namespace host
