// The record of an installation under way, kept beside the package's catalog from before the
// first change in the host folder until after the last one. It is the only proof the next
// run accepts about the temporary catalogs and the package files set aside: with it, an
// interrupted installation is finished or undone; without it, nothing is taken for ours.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "install/journal_members.h"
#include "platform/file_system.h"

namespace install {

enum class JournalStage {
    Prepared,   // changes may have begun: an interruption is undone
    Committed,  // the merged catalog is checked: an interruption is finished
};

struct Journal {
    JournalStage stage = JournalStage::Prepared;
    bool userCatalog = false;          // the user had a "dodatki.mdb" for this package
    bool userCatalogReadOnly = false;  // ... carrying the read-only mark, which it gets back
    std::vector<std::string> createdFolders;  // folders the installation makes, parents first
    JournalMembers members;                   // files the extraction writes (not the catalog)
};

// Writes the record at `path` in one step (a new file flushed, then renamed over the old
// record, and the folder synced), so a reader finds the old or the new record whole.
// Throws platform::FileError when it cannot.
void writeJournal(platform::FileSystem& fs, const std::string& path, const Journal& journal);

// The record at `path`; nothing when it is not whole (cut short or not ours): the caller
// then touches nothing. Throws platform::FileError when the file cannot be read.
std::optional<Journal> readJournal(platform::FileSystem& fs, const std::string& path);

}  // namespace install
