// pakiet status: every package folder below the host's add-on folder that holds an install
// record, printed as the record says (or one package, named). Exit 0 when at least one record
// was found, 1 when none, 2 on a usage error: a detection script can act on the code alone.
#include "cli/status.h"

#include <cstdio>
#include <string>

#include "cli/command_usage.h"
#include "host/host_layout.h"
#include "install/install_record.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace cli {

namespace {

void print(const std::string& path, const install::InstallRecord& record) {
    std::printf("zapis: %s\npakiet: %s\nwersja pakietu: %s\ninstalator: %s\ndata: %s\nplików: %zu\n",
                path.c_str(), record.packageName.c_str(),
                record.packageVersion.empty() ? "(nie podano)" : record.packageVersion.c_str(),
                record.installerVersion.c_str(), record.dateTime.c_str(), record.files.size());
    for (const install::InstalledFile& file : record.files)
        std::printf("  %12llu  %08x  %s\n", static_cast<unsigned long long>(file.size),
                    static_cast<unsigned>(file.crc32), file.name.c_str());
}

}  // namespace

int runStatus(const Args& args) {
    if (args.empty()) return usageError("status", "nie podano folderu programu CAD");
    if (args.size() > 2) return usageError("status", "nadmiarowy argument `" + args[2] + "`");
    if (args[0].rfind("-", 0) == 0) return usageError("status", "nieznana opcja " + args[0]);
    platform::FileSystem& files = platform::realFileSystem();
    const std::string host = platform::withTrailingSeparator(args[0]);
    const std::string addOns = host::hostLayoutFor(host, "").destinationDir;
    if (!files.folderExists(addOns)) {
        std::fprintf(stderr, "pakiet status: brak folderu %s\n", addOns.c_str());
        return 1;
    }
    const std::vector<std::string> packages =
        args.size() == 2 ? std::vector<std::string>{args[1]} : files.listSubFolders(addOns, "*");
    int found = 0;
    for (const std::string& package : packages) {
        const std::string path = host::hostLayoutFor(host, package).installRecord;
        const auto record = install::readInstallRecord(files, path);
        if (!record) continue;
        if (found++) std::fputs("\n", stdout);
        print(path, *record);
    }
    if (found == 0) std::fprintf(stderr, "pakiet status: brak zapisu instalacji w %s\n", addOns.c_str());
    return found ? 0 : 1;
}

}  // namespace cli
