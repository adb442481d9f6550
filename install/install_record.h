// The record a successful installation leaves in the package's catalog folder: which package
// (and version, when the installer carries one), which installer, when, and every package
// file written with its size and CRC-32. Deployment tools detect the installation by it,
// support reads it, and a later uninstallation knows from it what is the package's. A text
// file in UTF-8, one "key: value" a line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace install {

struct InstalledFile {
    std::string name;  // as stored in the archive, '/' or '\' between folders
    std::uint64_t size = 0;
    std::uint32_t crc32 = 0;
};

struct InstallRecord {
    std::string packageName;
    std::string packageVersion;    // empty when the installer names none
    std::string installerVersion;  // "1.0.0 (commit)"
    std::string dateTime;          // "YYYY-MM-DD HH:MM:SS", local time
    std::vector<InstalledFile> files;  // the catalog, merged with the user's, is not among them
};

std::string formatInstallRecord(const InstallRecord& record);
// Nothing when `text` is not a whole record.
std::optional<InstallRecord> parseInstallRecord(std::string_view text);

// Writes the record over any earlier one; throws FileError.
void writeInstallRecord(platform::FileSystem& fs, const std::string& path, const InstallRecord& record);
// Nothing when there is no record at `path` or it is not whole.
std::optional<InstallRecord> readInstallRecord(platform::FileSystem& fs, const std::string& path);

}  // namespace install
