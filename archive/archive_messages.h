// The Polish texts users read when an archive cannot be read or extracted: one whole sentence
// per fault of the ZIP library, naming the member (or file) in grave accents.
#pragma once

#include <string>

#include "archive/zip/zip_error.h"

namespace archive {

// File errors are worded by engine_text/file_error_text.h, which no subsystem owns.
std::string messageFor(const zip::ZipError& error);

}  // namespace archive
