// POSIX open files over a descriptor with pread/pwrite, so positions are 64-bit and no file
// offset is shared between readers. Sharing: POSIX has no mandatory share modes, so
// ReadOnlyForOthers cannot keep other programs from writing; no advisory lock is taken either,
// since only programs that ask for the same lock would respect it.
#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"

namespace platform::posix {

std::unique_ptr<ReadableFile> openReadFile(const std::string& path);
std::unique_ptr<WritableFile> createWriteFile(const std::string& path);
std::unique_ptr<RandomAccessFile> openRandomAccessFile(const std::string& path, bool create);
// O_EXCL: fails on an existing name, symbolic links included.
std::unique_ptr<RandomAccessFile> createNewFile(const std::string& path);

// The system's text for an errno value.
std::string errorText(int error);

}  // namespace platform::posix
