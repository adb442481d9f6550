// The plan reads the archive's directory the way the extraction walks it: every member
// except the cover and the text, folders made parents first.
#include "install/installation_plan.h"

#include <algorithm>

#include "archive/read_archive.h"
#include "install/journal_replay.h"
#include "platform/concat.h"
#include "platform/paths.h"

namespace install {

namespace {

// Every folder from the add-on folder down to `path`'s own that does not exist yet, in order.
void addMissingFolders(platform::FileSystem& fs, const host::HostLayout& layout, const std::string& path,
                       std::vector<std::string>& folders) {
    const std::string& root = layout.destinationDir;
    for (std::size_t end = root.size() - 1; end != std::string::npos && end < path.size();
         end = path.find(platform::kSeparator, end + 1)) {
        const std::string folder = path.substr(0, end);
        if (std::find(folders.begin(), folders.end(), folder) != folders.end()) continue;
        if (!fs.folderExists(folder)) folders.push_back(folder);
    }
}

}  // namespace

std::optional<InstallationPlan> planInstallation(session::Log& log, platform::FileSystem& fs,
                                                 const session::InstallerState& state,
                                                 const host::HostLayout& layout) {
    InstallationPlan plan;
    Journal& journal = plan.journal;
    journal.userCatalog = fs.fileExists(layout.destination);
    journal.userCatalogReadOnly = journal.userCatalog && fs.readOnly(layout.destination).value_or(false);
    addMissingFolders(fs, layout, layout.packageCatalogFolder, journal.createdFolders);

    const std::string cover = platform::concat({state.packageName, ".jpg"});
    const std::string text = platform::concat({state.packageName, ".txt"});
    const bool read = archive::readArchive(log, fs, state.sourceZip, [&](zip::ZipReader& reader) {
        for (const zip::Entry& entry : reader.entries()) {
            if (entry.name == cover || entry.name == text) continue;
            if (auto refusal = host::reservedMemberRefusal(entry.name, state.packageName)) {
                log.info(1, {"Pakiet zawiera plik, którego nie można zainstalować: ", *refusal,
                             ". Nic nie zmieniono."});
                return false;
            }
            const std::string path = memberPath(layout, entry.name);
            if (entry.isFolder()) {
                addMissingFolders(fs, layout, path + platform::kSeparator, journal.createdFolders);
                continue;
            }
            addMissingFolders(fs, layout, path, journal.createdFolders);
            if (path == layout.destination) {  // the catalog has steps of its own
                if (!plan.catalogAfter) plan.catalogAfter = journal.members.size();
                continue;
            }
            plan.checks.push_back({entry.uncompressedSize, entry.crc32});
            journal.members.push_back({entry.name, fs.fileExists(path)});
        }
        return true;
    }, {}, state.heldArchiveAt(state.sourceZip));
    if (!read) return std::nullopt;
    return plan;
}

bool forEachTemporaryName(const InstallationPlan& plan, const host::HostLayout& layout,
                          platform::FunctionRef<bool(const std::string&)> visit) {
    const JournalMembers& members = plan.journal.members;
    for (std::size_t i = 0; i <= members.size(); ++i) {
        if (plan.catalogAfter == i && !visit(platform::concat({layout.destination, host::kPartialSuffix}))) return false;
        if (i == members.size()) break;
        const std::string path = memberPath(layout, members[i].name);
        if (!visit(platform::concat({path, host::kPartialSuffix}))) return false;
        if (members[i].replaces && !visit(platform::concat({path, host::kAsideSuffix}))) return false;
    }
    return visit(layout.old) && visit(layout.nw);
}

std::vector<InstalledFile> installedFiles(const InstallationPlan& plan) {
    std::vector<InstalledFile> files;
    files.reserve(plan.checks.size());
    for (std::size_t i = 0; i < plan.checks.size(); ++i)
        files.push_back({std::string(plan.journal.members[i].name), plan.checks[i].size, plan.checks[i].crc32});
    return files;
}

}  // namespace install
