// One member as the central directory describes it, with the name decoded to UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "archive/zip/zip_format.h"

namespace zip {

struct Entry {
    std::string name;     // decoded: UTF-8 with flag bit 11, code page 437 without
    // The stored bytes when they differ from `name` (code page 437 beyond ASCII); empty
    // otherwise, which halves the names a directory of 100,000 members keeps.
    std::string rawNameIfDifferent;
    bool nameIsValid = true;  // false when the UTF-8 flag is set over malformed bytes
    std::uint16_t versionMadeBy = 0;
    std::uint16_t versionNeeded = 0;
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint16_t modTime = 0;
    std::uint16_t modDate = 0;
    std::uint32_t crc32 = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t uncompressedSize = 0;
    std::uint32_t externalAttributes = 0;
    std::uint64_t localHeaderOffset = 0;  // in the source, the archive's base already added
    bool zip64 = false;  // a size or the offset came from the ZIP64 extra field

    // The name's bytes as stored.
    const std::string& rawName() const { return rawNameIfDifferent.empty() ? name : rawNameIfDifferent; }

    // A folder entry: its name ends with a separator.
    bool isFolder() const { return !name.empty() && (name.back() == '/' || name.back() == '\\'); }
    // Made on Unix with a file type other than a regular file or a folder (a symbolic link).
    bool isSpecialFile() const {
        if ((versionMadeBy >> 8) != 3) return false;
        const std::uint32_t type = (externalAttributes >> 16) & 0170000;
        return type != 0 && type != 0100000 && type != 0040000;
    }
    bool isEncrypted() const { return (flags & (kFlagEncrypted | kFlagStrongEncryption)) != 0; }
};

}  // namespace zip
