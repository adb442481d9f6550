// The one way the installer reads a package archive: open the file, check that it holds an
// archive, read it, and tell every failure to the log in the installer's words.
#pragma once

#include <functional>
#include <string>

#include "app/log.h"
#include "archive/zip/zip_reader.h"
#include "platform/file_system.h"

namespace archive {

// Hands the archive at `path` to `use` and returns what it returns. A missing file or one
// without an archive gives false, with `notAnArchive` at level 1 when it is not empty. A file
// that cannot be opened, and every error of the reader, of the file or of `use`, give false
// with its message at level 1.
bool readArchive(app::Log& log, platform::FileSystem& fs, const std::string& path,
                 const std::function<bool(zip::ZipReader&)>& use, const std::string& notAnArchive = "");

}  // namespace archive
