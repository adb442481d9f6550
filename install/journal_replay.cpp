// The user's catalog steps keep the log lines the window has always written for them.
#include "install/journal_replay.h"

#include <algorithm>

#include "archive/member_extraction.h"
#include "platform/concat.h"
#include "platform/paths.h"

namespace install {

namespace {

// Deletes `path` + `suffix` if it is there. The name is joined here rather than at each of the
// many callers, which would each hold a temporary and its clean-up.
bool deleteIfThere(session::Log& log, platform::FileSystem& fs, std::string_view path, std::string_view suffix = {}) {
    const std::string file = platform::concat({path, suffix});
    return !fs.fileExists(file) || deleteOwnFile(log, fs, file);
}

std::string folderOf(const std::string& path) {
    const std::size_t end = path.find_last_of(platform::kSeparator);
    return end == std::string::npos ? std::string(".") : path.substr(0, std::max<std::size_t>(end, 1));
}

// Removes the record once what it names is settled on the disk: after a power cut, a file set
// aside or added that outlived its record would be nobody's (the next run keeps it as an
// unproven leftover); a record that outlives its files is only settled again.
bool removeRecord(session::Log& log, platform::FileSystem& fs, const host::HostLayout& layout,
                  archive::PendingFolderSyncs& changedFolders) {
    changedFolders.add(folderOf(layout.journal));
    changedFolders.syncAll();
    return deleteOwnFile(log, fs, layout.journal);
}

}  // namespace

void removeCreatedFolders(session::Log& log, platform::FileSystem& fs, const Journal& journal) {
    for (auto folder = journal.createdFolders.rbegin(); folder != journal.createdFolders.rend(); ++folder) {
        if (!fs.folderExists(*folder)) continue;
        // A folder that holds anything now is not only ours any more.
        if (!fs.folderIsEmpty(*folder) || !fs.removeFolder(*folder))
            log.info(2, {"Katalog ", *folder, " zostaje."});
    }
}

std::string memberPath(const host::HostLayout& layout, std::string_view memberName) {
    return archive::outputPathFor(layout.destinationDir, memberName);
}

bool deleteOwnFile(session::Log& log, platform::FileSystem& fs, const std::string& path) {
    if (fs.readOnly(path).value_or(false)) fs.setReadOnly(path, false);
    if (fs.deleteFile(path)) return true;
    log.info(1, {"Nie można usunąć pliku ", path, "."});
    return false;
}

bool undoInstallation(session::Log& log, platform::FileSystem& fs, const host::HostLayout& layout,
                      const Journal& journal) {
    bool whole = true;
    archive::PendingFolderSyncs changedFolders(fs);
    for (std::size_t i = journal.members.size(); i-- > 0;) {
        const JournalMember member = journal.members[i];
        const std::string path = memberPath(layout, member.name);
        changedFolders.add(folderOf(path));
        whole &= deleteIfThere(log, fs, path, host::kPartialSuffix);
        if (!member.replaces) {
            whole &= deleteIfThere(log, fs, path);
            continue;
        }
        const std::string aside = platform::concat({path, host::kAsideSuffix});
        if (fs.fileExists(aside) && !fs.replaceFile(aside, path)) {
            log.info(1, {"Nie można przywrócić pliku ", path, ". Poprzednia wersja jest w pliku ", aside, "."});
            whole = false;
        }
    }
    whole &= deleteIfThere(log, fs, layout.destination, host::kPartialSuffix);

    if (journal.userCatalog && fs.fileExists(layout.old)) {
        if (fs.fileExists(layout.destination)) {
            log.info(2, "Kasujemy uszkodzony plik dodatki.mdb");
            whole &= deleteOwnFile(log, fs, layout.destination);
        }
        const bool back = fs.renameNoReplace(layout.old, layout.destination);
        log.info(2, "Zmiana nazwy pliku z dodatki_old.mdb na dodatki.mdb");
        if (!back) {
            log.info(1, {"Nie udało się przywrócić katalogu dodatki.mdb. Twój katalog jest zachowany w pliku ",
                         layout.old, "."});
            whole = false;
        }
    } else if (!journal.userCatalog) {
        // A first installation: whatever is at the catalog's name is the package's or a merge
        // that did not finish.
        whole &= deleteIfThere(log, fs, layout.destination);
    }
    whole &= deleteIfThere(log, fs, layout.nw);
    if (!whole) return false;
    if (!removeRecord(log, fs, layout, changedFolders)) return false;
    removeCreatedFolders(log, fs, journal);
    return true;
}

bool finishInstallation(session::Log& log, platform::FileSystem& fs, const host::HostLayout& layout,
                        const Journal& journal) {
    bool whole = true;
    archive::PendingFolderSyncs changedFolders(fs);
    for (const JournalMember member : journal.members) {
        const std::string path = memberPath(layout, member.name);
        changedFolders.add(folderOf(path));
        whole &= deleteIfThere(log, fs, path, host::kPartialSuffix);
        if (member.replaces) whole &= deleteIfThere(log, fs, path, host::kAsideSuffix);
    }
    if (fs.fileExists(layout.old)) {
        log.info(2, "Kasujemy niepotrzebny plik dodatki_old.mdb");
        whole &= deleteOwnFile(log, fs, layout.old);
    }
    if (fs.fileExists(layout.nw)) {
        log.info(2, "Kasujemy niepotrzebny plik dodatki_new.mdb");
        whole &= deleteOwnFile(log, fs, layout.nw);
    }
    if (journal.userCatalogReadOnly && !fs.readOnly(layout.destination).value_or(true) &&
        !fs.setReadOnly(layout.destination, true)) {
        log.info(1, {"Nie można przywrócić atrybutu tylko do odczytu pliku ", layout.destination, "."});
        whole = false;
    }
    return whole && removeRecord(log, fs, layout, changedFolders);
}

}  // namespace install
