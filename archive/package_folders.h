// The package folder rule and GetSubFoldersListFromZip: which members are the catalog
// "dodatki.mdb" of a top-level package folder, and the list of those folders' names.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "session/log.h"

namespace archive {

// The package folder's name when `memberName` is "<folder>\dodatki.mdb" with one non-empty
// folder level and '\' as separator (the file name part follows the last '\' or ':').
std::optional<std::string> packageFolderOf(std::string_view memberName);

// The member name of the catalog of package folder `folder`: "<folder>\dodatki.mdb".
std::string catalogMemberOf(std::string_view folder);

// The package folder names of the archive in central-directory order (duplicates kept);
// empty when there is none or the file is not an archive (then logged at level 1). With
// `held`, the archive is read through that open file (see readArchive).
std::vector<std::string> GetSubFoldersListFromZip(session::Log& log, platform::FileSystem& fs, const std::string& SourceFile,
                                                  platform::ReadableFile* held = nullptr);

}  // namespace archive
