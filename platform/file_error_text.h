// The one wording of file errors on every platform: what failed, on which path, and the
// system's own reason ("Nie można otworzyć pliku: D:\a.mdb (Odmowa dostępu.)").
#pragma once

#include <string>

#include "platform/file_error.h"

namespace platform {

enum class FileAction { Open, Create, Read, Write, Size };

FileError fileError(FileAction action, const std::string& path, const std::string& reason);

}  // namespace platform
