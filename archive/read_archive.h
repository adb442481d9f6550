// The one way the installer reads a package archive: open the file, check that it holds an
// archive, read it, and tell every failure to the log in the installer's words.
#pragma once

#include <string>
#include <string_view>

#include "archive/zip/zip_reader.h"
#include "platform/file_system.h"
#include "platform/function_ref.h"
#include "session/log.h"

namespace archive {

// What a caller adds to the failures it tells: `notAnArchive` is logged for a missing file or
// one without an archive (nothing when empty); `zipAdvice` follows the sentence of a fault of
// the archive itself (a damaged member, a wrong CRC-32). Views: the texts need only outlive
// the call.
struct ArchiveFailureText {
    std::string_view notAnArchive;
    std::string_view zipAdvice;
};

// Hands the archive at `path` to `use` and returns what it returns. A missing file or one
// without an archive gives false, with `notAnArchive` at level 1. A file that cannot be
// opened, and every error of the reader, of the file or of `use`, give false with its message
// at level 1. With `held` (a file opened at `path` earlier and kept open), the archive is read
// through it and `path` is not opened again: what is read is what was held.
bool readArchive(session::Log& log, platform::FileSystem& fs, const std::string& path,
                 platform::FunctionRef<bool(zip::ZipReader&)> use,
                 const ArchiveFailureText& text = {}, platform::ReadableFile* held = nullptr);

}  // namespace archive
