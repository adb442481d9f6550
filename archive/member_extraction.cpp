// The target is probed for writing before anything is written, so a read-only or locked
// file fails the extraction the same way on every platform, before any data are spent.
#include "archive/member_extraction.h"

#include <algorithm>

#include "archive/member_safety.h"
#include "platform/concat.h"
#include "platform/paths.h"

namespace archive {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// Removes a temporary file on every path unless it was renamed into place.
class PartialFile {
public:
    PartialFile(platform::FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
    ~PartialFile() {
        if (!keep_) {
            try {
                fs_.deleteFile(path_);
            } catch (...) {
            }
        }
    }
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;
    void keep() { keep_ = true; }

private:
    platform::FileSystem& fs_;
    std::string path_;
    bool keep_ = false;
};

}  // namespace

std::string outputPathFor(const std::string& destinationDir, std::string_view memberName) {
    std::string path = destinationDir;
    if (!path.empty() && !isSeparator(path.back())) path += platform::kSeparator;
    for (char c : memberName) path += isSeparator(c) ? platform::kSeparator : c;
    return path;
}

void createFolders(platform::FileSystem& fs, const std::string& folder) {
    for (std::size_t i = 1; i <= folder.size(); ++i) {
        if (i < folder.size() && !isSeparator(folder[i])) continue;
        const std::string prefix = folder.substr(0, i);
        // Roots ("C:", "\\server", "") are never made.
        if (prefix.empty() || prefix.back() == ':' || isSeparator(prefix.back())) continue;
        if (prefix.size() >= 2 && isSeparator(prefix[0]) && isSeparator(prefix[1]) &&
            prefix.find_first_of("/\\", 2) == std::string::npos)
            continue;
        if (fs.folderExists(prefix)) continue;
        if (!fs.createFolder(prefix) && !fs.folderExists(prefix))
            throw platform::FileError(prefix, platform::concat({"Nie można utworzyć katalogu: ", prefix}));
    }
}

std::size_t PendingFolderSyncs::sortedPlaceOf(const std::string& folder) const {
    const auto place = std::lower_bound(sorted_.begin(), sorted_.end(), folder,
                                        [this](std::uint32_t i, const std::string& f) { return folders_[i] < f; });
    return static_cast<std::size_t>(place - sorted_.begin());
}

bool PendingFolderSyncs::contains(const std::string& folder) const { return holdsAt(sortedPlaceOf(folder), folder); }

void PendingFolderSyncs::add(const std::string& folder) {
    // A sorted list rather than a hash set: a package has a few folders per thousand files,
    // and the installer is spared a hash table's code.
    const std::size_t place = sortedPlaceOf(folder);
    if (holdsAt(place, folder)) return;
    sorted_.insert(sorted_.begin() + static_cast<std::ptrdiff_t>(place), static_cast<std::uint32_t>(folders_.size()));
    folders_.push_back(folder);
}

void PendingFolderSyncs::syncAll() {
    for (const auto& folder : folders_) fs_.syncFolder(folder);
    folders_.clear();
    sorted_.clear();
}

void extractMember(const zip::ZipReader& reader, std::size_t index, const std::string& destinationDir,
                   platform::FileSystem& fs, PendingFolderSyncs& pending, MemberPlacement* placement) {
    const zip::Entry& entry = reader.entries().at(index);
    checkMemberNameSafe(entry);
    const std::string path = outputPathFor(destinationDir, entry.name);
    const std::size_t folderEnd = path.find_last_of(platform::kSeparator);
    const std::string syncKey = folderEnd == std::string::npos ? std::string(".") : path.substr(0, std::max<std::size_t>(folderEnd, 1));
    // A package of 100,000 members would otherwise test every parent folder of every member.
    if (!pending.contains(syncKey))
        createFolders(fs, folderEnd == std::string::npos ? std::string() : path.substr(0, folderEnd + 1));
    if (entry.isFolder()) {
        reader.checkMember(index);
        return;
    }

    const bool replacing = fs.fileExists(path);
    if (replacing) fs.openReadWrite(path, platform::Sharing::ReadWriteForOthers, false);
    const std::string partialPath = path + kPartialSuffix;
    PartialFile partial(fs, partialPath);
    {
        auto out = fs.createWrite(partialPath);
        reader.extract(index, [&out](const char* data, std::size_t count) { out->write(data, count); });
        out->close();
    }
    // One step: a failing replacement keeps the old file (the partial one goes).
    const bool placed = placement ? placement->place(partialPath, path) : fs.replaceFileUnsynced(partialPath, path);
    if (!placed)
        throw platform::FileError(path, replacing ? platform::concat({"Nie można zastąpić pliku: ", path})
                                                  : platform::concat({"Nie można zmienić nazwy pliku: ", partialPath, " na ", path}));
    partial.keep();
    pending.add(syncKey);
}

}  // namespace archive
