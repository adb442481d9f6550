// The ZIP64 end record is found by its fixed place before the locator, not by the locator's
// offset alone: an offset pointing anywhere else is a forged or damaged record.
#include "archive/zip/directory_location.h"

#include <string>

#include "archive/zip/byte_reader.h"
#include "archive/zip/zip64_extra.h"
#include "archive/zip/zip_error.h"

namespace zip {

namespace {

// A package's directory is a few megabytes even at 100,000 members; this bound only keeps a
// forged size from allocating gigabytes.
constexpr std::uint64_t kMaxDirectorySize = 256u << 20;

std::string readAt(const Source& source, std::uint64_t offset, std::size_t count) {
    std::string bytes(count, '\0');
    if (!readWhole(source, offset, bytes.data(), count)) fail(Fault::Truncated, "the archive ends inside its ZIP64 records");
    return bytes;
}

bool agrees(std::uint64_t classic, std::uint64_t marker, std::uint64_t wide) { return classic == marker || classic == wide; }

DirectoryLocation fromZip64(const Source& source, const EndRecord& end) {
    if (end.position < kZip64LocatorSize + kZip64EndSize)
        fail(Fault::Zip64, "no room for a ZIP64 end record before the locator");
    const std::uint64_t locatorAt = end.position - kZip64LocatorSize;
    const std::string locatorBytes = readAt(source, locatorAt, kZip64LocatorSize);
    ByteReader locator(locatorBytes);
    locator.u32();
    const std::uint32_t recordDisk = locator.u32();
    const std::uint64_t recordOffset = locator.u64();
    const std::uint32_t disks = locator.u32();
    if (recordDisk != 0 || disks > 1) fail(Fault::MultiDisk, "the ZIP64 locator names another disk");

    const std::uint64_t recordAt = locatorAt - kZip64EndSize;
    const std::string recordBytes = readAt(source, recordAt, kZip64EndSize);
    ByteReader record(recordBytes);
    const std::uint32_t signature = record.u32();
    const std::uint64_t recordSize = record.u64();
    record.u16();  // version made by
    record.u16();  // version needed
    const std::uint32_t disk = record.u32();
    const std::uint32_t directoryDisk = record.u32();
    DirectoryLocation where;
    where.zip64 = true;
    const std::uint64_t entriesOnDisk = record.u64();
    where.entries = record.u64();
    where.size = record.u64();
    where.offset = record.u64();
    if (signature != kZip64EndSignature || recordSize != kZip64EndSize - 12)
        fail(Fault::Zip64, "no ZIP64 end record right before the locator");
    if (disk != 0 || directoryDisk != 0 || entriesOnDisk != where.entries)
        fail(Fault::MultiDisk, "the ZIP64 end record spans several disks");
    if (where.size > recordAt || where.offset > recordAt - where.size)
        fail(Fault::BadCentralDirectory, "the central directory lies beyond its ZIP64 end record");
    // The record follows the directory; the locator must say the same.
    const std::uint64_t directoryEnd = where.offset + where.size;
    if (recordOffset != directoryEnd)
        fail(Fault::Zip64, "the ZIP64 locator points elsewhere than its end record");
    where.base = recordAt - directoryEnd;
    if (!agrees(end.entriesTotal, kMax16Marker, where.entries) || !agrees(end.entriesOnDisk, kMax16Marker, where.entries) ||
        !agrees(end.directorySize, kMax32Marker, where.size) || !agrees(end.directoryOffset, kMax32Marker, where.offset) ||
        !agrees(end.diskNumber, kMax16Marker, 0) || !agrees(end.directoryDisk, kMax16Marker, 0))
        fail(Fault::Zip64, "the end record and the ZIP64 end record disagree");
    return where;
}

DirectoryLocation fromEndRecord(const EndRecord& end) {
    if (end.entriesTotal == kMax16Marker || end.entriesOnDisk == kMax16Marker || end.directorySize == kMax32Marker ||
        end.directoryOffset == kMax32Marker)
        fail(Fault::Zip64, "the end record holds ZIP64 markers but no ZIP64 locator precedes it");
    if (end.diskNumber != 0 || end.directoryDisk != 0 || end.entriesOnDisk != end.entriesTotal)
        fail(Fault::MultiDisk, "archives spanning several disks are not supported");
    DirectoryLocation where;
    where.entries = end.entriesTotal;
    where.size = end.directorySize;
    where.offset = end.directoryOffset;
    const std::uint64_t directoryEnd = where.offset + where.size;
    if (directoryEnd > end.position)
        fail(Fault::BadCentralDirectory, "the central directory lies beyond its end record");
    // Bytes before the archive shift every offset by the same amount.
    where.base = end.position - directoryEnd;
    return where;
}

}  // namespace

DirectoryLocation locateDirectory(const Source& source, const EndRecord& end) {
    const DirectoryLocation where = end.zip64Locator ? fromZip64(source, end) : fromEndRecord(end);
    if (where.size > kMaxDirectorySize || where.entries > where.size / kCentralFixedSize)
        fail(Fault::BadCentralDirectory, "the central directory's size does not fit its entry count");
    return where;
}

}  // namespace zip
