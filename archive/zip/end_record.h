// Finding the end-of-central-directory record: a backward search within the last 65,557
// bytes (the record and the largest comment), bytes after the record tolerated.
#pragma once

#include <cstdint>
#include <optional>

#include "archive/zip/source.h"
#include "archive/zip/zip_format.h"

namespace zip {

inline constexpr std::uint64_t kEndSearchSpan = kEndRecordSize + 0xFFFF;

struct EndRecord {
    std::uint64_t position = 0;  // offset of the record's signature in the source
    std::uint16_t diskNumber = 0;
    std::uint16_t directoryDisk = 0;
    std::uint16_t entriesOnDisk = 0;
    std::uint16_t entriesTotal = 0;
    std::uint32_t directorySize = 0;
    std::uint32_t directoryOffset = 0;
    std::uint16_t commentLength = 0;
    bool zip64Locator = false;  // a ZIP64 locator signature stands right before the record
};

// True when a record signature lies in the tail (the archive test). Never throws: a failing
// read answers false.
bool hasEndRecord(const Source& source);

// The record the archive uses. When the tail holds several signatures, a signature inside the
// comment of an earlier plausible record is comment text, not a record. Throws ZipError
// (BadEndRecord) when there is none; errors of the source pass through.
EndRecord findEndRecord(const Source& source);

}  // namespace zip
