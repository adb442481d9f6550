// One sync per file system for many files: syncfs writes every dirty page and the metadata of
// the file system holding the descriptor, which costs one journal commit where an fsync per
// small file costs one each.
#pragma once

#include <memory>

#include "platform/file_system.h"

namespace platform::posix {

// Opens each added file (a missing one throws FileError at once) and keeps one descriptor per
// device; finish() syncs each of those file systems.
std::unique_ptr<FlushBatch> fileSystemSyncBatch();

}  // namespace platform::posix
