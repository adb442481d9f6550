// The tail is read once; candidates are examined from the last to the first.
#include "archive/zip/end_record.h"

#include <string>
#include <vector>

#include "archive/zip/byte_reader.h"
#include "archive/zip/zip_error.h"

namespace zip {

namespace {

struct Tail {
    std::uint64_t start = 0;
    std::string bytes;
};

Tail readTail(const Source& source) {
    Tail tail;
    const std::uint64_t span = source.size < kEndSearchSpan ? source.size : kEndSearchSpan;
    tail.start = source.size - span;
    tail.bytes.resize(static_cast<std::size_t>(span));
    if (!readWhole(source, tail.start, tail.bytes.data(), tail.bytes.size())) fail(Fault::Truncated, "the archive's tail could not be read whole");
    return tail;
}

// Offsets within the tail of every signature with room for a whole record, last first.
std::vector<std::size_t> signaturePositions(const std::string& bytes) {
    std::vector<std::size_t> found;
    if (bytes.size() < kEndRecordSize) return found;
    for (std::size_t i = bytes.size() - kEndRecordSize + 1; i-- > 0;) {
        if (bytes[i] == 'P' && bytes[i + 1] == 'K' && bytes[i + 2] == 5 && bytes[i + 3] == 6) found.push_back(i);
    }
    return found;
}

EndRecord decode(const Tail& tail, std::size_t at) {
    ByteReader in(std::string_view(tail.bytes).substr(at, kEndRecordSize));
    EndRecord record;
    record.position = tail.start + at;
    in.u32();
    record.diskNumber = in.u16();
    record.directoryDisk = in.u16();
    record.entriesOnDisk = in.u16();
    record.entriesTotal = in.u16();
    record.directorySize = in.u32();
    record.directoryOffset = in.u32();
    record.commentLength = in.u16();
    if (at >= 20) {
        ByteReader locator(std::string_view(tail.bytes).substr(at - 20, 4));
        record.zip64Locator = locator.u32() == kZip64LocatorSignature;
    }
    return record;
}

// A record whose comment fits in the source and whose directory lies before it.
bool plausible(const EndRecord& record, std::uint64_t sourceSize) {
    if (record.position + kEndRecordSize + record.commentLength > sourceSize) return false;
    // A ZIP64 archive's real directory size is in its ZIP64 end record.
    return record.zip64Locator || static_cast<std::uint64_t>(record.directorySize) <= record.position;
}

}  // namespace

bool hasEndRecord(const Source& source) {
    try {
        return !signaturePositions(readTail(source).bytes).empty();
    } catch (...) {
        return false;
    }
}

EndRecord findEndRecord(const Source& source) {
    const Tail tail = readTail(source);
    const std::vector<std::size_t> positions = signaturePositions(tail.bytes);
    std::vector<EndRecord> candidates(positions.size());
    for (std::size_t i = 0; i < positions.size(); ++i) candidates[i] = decode(tail, positions[i]);
    // Last first: take the first plausible record that no earlier plausible record's comment
    // covers.
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (!plausible(candidates[i], source.size)) continue;
        bool insideComment = false;
        for (std::size_t j = i + 1; j < candidates.size() && !insideComment; ++j) {
            const EndRecord& earlier = candidates[j];
            const std::uint64_t commentStart = earlier.position + kEndRecordSize;
            insideComment = plausible(earlier, source.size) && candidates[i].position >= commentStart &&
                            candidates[i].position < commentStart + earlier.commentLength;
        }
        if (!insideComment) return candidates[i];
    }
    fail(Fault::BadEndRecord, "no end-of-central-directory record in the archive's last 65,557 bytes");
}

}  // namespace zip
