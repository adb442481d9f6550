// Win32 open files over CreateFileW handles with 64-bit positions given per call
// (OVERLAPPED offsets). ReadOnlyForOthers is FILE_SHARE_READ: while such a file is open, no
// other program may open it for writing, rename it or delete it.
#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"

namespace platform::win32 {

std::unique_ptr<ReadableFile> openReadFile(const std::string& path, Sharing sharing);
std::unique_ptr<WritableFile> createWriteFile(const std::string& path);
std::unique_ptr<RandomAccessFile> openRandomAccessFile(const std::string& path, Sharing sharing,
                                                       bool create);
// CREATE_NEW: fails on an existing name.
std::unique_ptr<RandomAccessFile> createNewFile(const std::string& path, Sharing sharing);

}  // namespace platform::win32
