// Writing one member below a destination folder: the output path with the platform's
// separator, its folders created parents first, and the data written to a temporary file
// beside the target that replaces the target only once size and CRC-32 are right.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "archive/partial_suffix.h"
#include "archive/zip/zip_reader.h"
#include "platform/file_system.h"

namespace archive {

// destinationDir joined with the member name, every '/' and '\' turned into the platform's
// separator; a separator is put between them unless the folder already ends with one.
std::string outputPathFor(const std::string& destinationDir, std::string_view memberName);

// Creates every missing folder of `folder` (a path ending with the separator or not), parents
// first. Throws platform::FileError naming the folder that could not be made.
void createFolders(platform::FileSystem& fs, const std::string& folder);

// The folders whose renames still wait for their sync: a package puts hundreds of files in
// a few folders, and one sync per folder at the end costs less than one per file. A folder
// listed here exists, so its next member skips making it.
class PendingFolderSyncs {
public:
    explicit PendingFolderSyncs(platform::FileSystem& fs) : fs_(fs) {}
    void add(const std::string& folder);
    bool contains(const std::string& folder) const;
    void syncAll();

private:
    // Where `folder` is or would go in sorted_, and whether it is there.
    std::size_t sortedPlaceOf(const std::string& folder) const;
    bool holdsAt(std::size_t place, const std::string& folder) const {
        return place < sorted_.size() && folders_[sorted_[place]] == folder;
    }

    platform::FileSystem& fs_;
    std::vector<std::string> folders_;  // in the order they came
    std::vector<std::uint32_t> sorted_;  // their indexes, in the folders' order, to search
};

// How a member's checked data take the target's name. Without one, the data replace the
// target in one step; the install transaction keeps the file it replaces instead.
class MemberPlacement {
public:
    virtual ~MemberPlacement() = default;
    // Puts the file `partial` at `target`; false when it could not (nothing is lost then).
    virtual bool place(const std::string& partial, const std::string& target) = 0;
};

// Extracts member `index`; the rename that gives the file its name waits in `pending`.
// Throws UnsafeArchive for an unsafe name, zip::ZipError for a damaged member (the temporary
// file is removed, an existing target stays as it was) and platform::FileError when a file
// or folder cannot be made or replaced.
void extractMember(const zip::ZipReader& reader, std::size_t index, const std::string& destinationDir,
                   platform::FileSystem& fs, PendingFolderSyncs& pending,
                   MemberPlacement* placement = nullptr);

}  // namespace archive
