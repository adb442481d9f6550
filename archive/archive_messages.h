// The Polish texts users read when an archive cannot be read or extracted: one whole sentence
// per fault of the ZIP library, naming the member (or file) in grave accents.
#pragma once

#include <string>

#include "archive/zip/zip_error.h"
#include "platform/file_error.h"

namespace archive {

std::string messageFor(const zip::ZipError& error);
// A file or folder that could not be opened, created, written or renamed, naming the path
// and the system's reason (engine_text/file_error_text.h).
std::string messageFor(const platform::FileError& error);

}  // namespace archive
