// Where the central directory lies and how many entries it holds: from the end record alone,
// or, when a ZIP64 locator stands before it, from the ZIP64 end record the locator names.
#pragma once

#include <cstdint>

#include "archive/zip/end_record.h"
#include "archive/zip/source.h"
#include "archive/zip/zip_format.h"

namespace zip {

struct DirectoryLocation {
    std::uint64_t entries = 0;
    std::uint64_t size = 0;
    std::uint64_t offset = 0;  // as recorded: from the archive's first byte
    std::uint64_t base = 0;    // bytes before the archive in the source
    bool zip64 = false;
};

// The directory must end where the record after it (the ZIP64 end record or the end record)
// begins; that fixes the bytes before the archive. A ZIP64 end record must stand right before
// its locator, and the locator must name the offset where it stands; the end record's fields
// must either hold their maximum or agree with the ZIP64 values. Throws ZipError: Zip64 for
// a damaged, misplaced or disagreeing ZIP64 record or markers without one, MultiDisk,
// BadCentralDirectory for a directory that does not fit before its record.
DirectoryLocation locateDirectory(const Source& source, const EndRecord& end);

}  // namespace zip
