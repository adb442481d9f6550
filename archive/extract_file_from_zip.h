// ExtractFileFromZip: one named member (looked up ignoring ASCII case) copied below a folder;
// the preparation sequence uses it for the package's cover picture.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "session/log.h"

namespace archive {

// True when the member was written. A file that is not a ZIP archive, or a member it does not
// hold, gives false with only the trace line. An existing archive that cannot be opened, and
// every error of the reader or of writing, give false with a level-1 message. With `held`,
// the archive is read through that open file (see readArchive).
bool ExtractFileFromZip(session::Log& log, platform::FileSystem& fs, const std::string& SourceFile,
                        const std::string& DestinationDir, const std::string& FileName,
                        platform::ReadableFile* held = nullptr);

}  // namespace archive
