// Central directory parsing, member checks and streaming extraction.
#include "archive/zip/zip_reader.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "archive/zip/byte_reader.h"
#include "archive/zip/cp437.h"
#include "archive/zip/crc32.h"
#include "archive/zip/directory_location.h"
#include "archive/zip/end_record.h"
#include "archive/zip/inflater.h"
#include "archive/zip/whole_inflate.h"
#include "archive/zip/zip64_extra.h"
#include "archive/zip/zip_error.h"
#include "platform/ascii_case.h"
#include "platform/concat.h"
#include "platform/decimal_piece.h"
#include "platform/function_ref.h"
#include "platform/heap_sort.h"

namespace zip {

namespace {

constexpr std::size_t kChunk = 256u << 10;

std::string decodeName(std::string_view raw, std::uint16_t flags, bool& valid) {
    if (flags & kFlagUtf8) {
        valid = isValidUtf8(raw);
        return std::string(raw);
    }
    valid = true;
    return cp437ToUtf8(raw);
}

// The inflater pulls a member's compressed bytes as it needs them, `left` of them from `at`.
class MemberInput : public InflateInput {
public:
    using ReadAt = platform::FunctionRef<void(std::uint64_t at, char* buffer, std::size_t count)>;
    MemberInput(ReadAt readAt, std::uint64_t at, std::uint64_t left)
        : readAt_(readAt), at_(at), left_(left) {}
    std::size_t read(std::uint8_t* buffer, std::size_t capacity) override {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left_, capacity));
        if (n == 0) return 0;
        readAt_(at_, reinterpret_cast<char*>(buffer), n);
        at_ += n;
        left_ -= n;
        return n;
    }

private:
    ReadAt readAt_;
    std::uint64_t at_, left_;
};

[[noreturn]] void failEntry(std::size_t k, const char* what) {
    fail(Fault::BadCentralDirectory, platform::concat({"entry ", platform::DecimalPiece(k), what}).c_str());
}

}  // namespace

ZipReader::ZipReader(Source source) : source_(std::move(source)) {
    const DirectoryLocation where = locateDirectory(source_, findEndRecord(source_));
    base_ = where.base;
    directoryStart_ = base_ + where.offset;

    std::string directory(static_cast<std::size_t>(where.size), '\0');
    readFully(directoryStart_, directory.data(), directory.size(), std::string());
    ByteReader in(directory);
    // Filled in place: no entry is moved, and the vector never grows.
    entries_ = std::vector<Entry>(static_cast<std::size_t>(where.entries));
    for (std::size_t k = 0; k < entries_.size(); ++k) {
        if (in.u32() != kCentralSignature) failEntry(k, " of the central directory has no signature");
        Entry& e = entries_[k];
        e.versionMadeBy = in.u16();
        e.versionNeeded = in.u16();
        e.flags = in.u16();
        e.method = in.u16();
        e.modTime = in.u16();
        e.modDate = in.u16();
        e.crc32 = in.u32();
        WideFields wide;
        wide.compressed = in.u32();
        wide.uncompressed = in.u32();
        const std::uint16_t nameLength = in.u16();
        const std::uint16_t extraLength = in.u16();
        const std::uint16_t commentLength = in.u16();
        wide.disk = in.u16();
        in.u16();  // internal attributes
        e.externalAttributes = in.u32();
        wide.localOffset = in.u32();
        const std::string_view rawName = in.bytes(nameLength);
        const std::string_view extras = in.bytes(extraLength);
        in.skip(commentLength);
        if (!in.ok()) failEntry(k, " runs past the central directory");
        e.name = decodeName(rawName, e.flags, e.nameIsValid);
        if (e.name != rawName) e.rawNameIfDifferent.assign(rawName);
        widenFromZip64Extra(extras, wide, e.name);
        if (wide.disk != 0) fail(Fault::MultiDisk, e.name, "the member starts on another disk");
        e.compressedSize = wide.compressed;
        e.uncompressedSize = wide.uncompressed;
        // A forged 64-bit offset saturates instead of wrapping; the member check refuses it.
        e.localHeaderOffset = wide.localOffset > UINT64_MAX - base_ ? UINT64_MAX : base_ + wide.localOffset;
        e.zip64 = wide.widened;
    }
    if (in.remaining() != 0)
        fail(Fault::BadCentralDirectory, "the central directory holds bytes after its last entry");
}

std::ptrdiff_t ZipReader::find(std::string_view name) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (platform::equalsIgnoringAsciiCase(entries_[i].name, name)) return static_cast<std::ptrdiff_t>(i);
    return -1;
}

void ZipReader::readFully(std::uint64_t offset, char* buffer, std::size_t count, const std::string& member) const {
    if (!readWhole(source_, offset, buffer, count)) fail(Fault::Truncated, member, "the archive ends early");
}

ZipReader::LocalExtent ZipReader::readLocalHeader(std::size_t index) const {
    const Entry& e = entries_.at(index);
    if (e.localHeaderOffset > directoryStart_ || directoryStart_ - e.localHeaderOffset < kLocalFixedSize)
        fail(Fault::BadLocalHeader, e.name, "the local header lies outside the member area");
    char fixed[kLocalFixedSize];
    readFully(e.localHeaderOffset, fixed, sizeof fixed, e.name);
    ByteReader in(std::string_view(fixed, sizeof fixed));
    if (in.u32() != kLocalSignature) fail(Fault::BadLocalHeader, e.name, "the local header has no signature");
    in.u16();  // version needed
    const std::uint16_t flags = in.u16();
    const std::uint16_t method = in.u16();
    in.u16();
    in.u16();
    const std::uint32_t crc = in.u32();
    WideFields local;
    local.hasOffsetAndDisk = false;
    local.compressed = in.u32();
    local.uncompressed = in.u32();
    const std::uint16_t nameLength = in.u16();
    const std::uint16_t extraLength = in.u16();

    LocalExtent extent;
    extent.start = e.localHeaderOffset;
    extent.dataStart = e.localHeaderOffset + kLocalFixedSize + nameLength + extraLength;
    extent.end = extent.dataStart + e.compressedSize;
    if (extent.dataStart > directoryStart_ || e.compressedSize > directoryStart_ - extent.dataStart)
        fail(Fault::Overlap, e.name, "the member's data run into the central directory");
    std::string name(nameLength, '\0');
    readFully(e.localHeaderOffset + kLocalFixedSize, name.data(), name.size(), e.name);
    if (name != e.rawName()) fail(Fault::HeaderMismatch, e.name, "the local header names another member");
    if (flags != e.flags || method != e.method)
        fail(Fault::HeaderMismatch, e.name, "the local header's flags or method differ");
    if (local.compressed == kMax32Marker || local.uncompressed == kMax32Marker) {
        std::string extras(extraLength, '\0');
        readFully(e.localHeaderOffset + kLocalFixedSize + nameLength, extras.data(), extras.size(), e.name);
        widenFromZip64Extra(extras, local, e.name);
    }
    const bool descriptor = (flags & kFlagDataDescriptor) != 0;
    const bool zeroed = crc == 0 && local.compressed == 0 && local.uncompressed == 0;
    const bool same = crc == e.crc32 && local.compressed == e.compressedSize && local.uncompressed == e.uncompressedSize;
    if (!(same || (descriptor && zeroed)))
        fail(Fault::HeaderMismatch, e.name, "the local header's sizes or CRC differ");
    return extent;
}

void ZipReader::checkMember(std::size_t index) const {
    const Entry& e = entries_.at(index);
    if (e.isEncrypted()) fail(Fault::Encrypted, e.name, "encrypted members are not supported");
    if (e.method != kMethodStored && e.method != kMethodDeflate)
        fail(Fault::UnsupportedMethod, e.name, platform::concat({"compression method ", platform::DecimalPiece(e.method), " is not supported"}).c_str());
    if (e.isSpecialFile()) fail(Fault::NotRegularFile, e.name, "the member is a symbolic link or special file");
    if (e.method == kMethodStored && e.compressedSize != e.uncompressedSize)
        fail(Fault::SizeMismatch, e.name, "a stored member's two sizes differ");
    readLocalHeader(index);
}

void ZipReader::checkAllMembers() const {
    std::vector<LocalExtent> extents(entries_.size());
    // (start, member) pairs: the starts alone may repeat, the pairs never do.
    std::vector<std::pair<std::uint64_t, std::size_t>> byStart;
    byStart.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        checkMember(i);
        LocalExtent& extent = extents[i];
        extent = readLocalHeader(i);
        if (entries_[i].flags & kFlagDataDescriptor)
            extent.end += entries_[i].zip64 ? kZip64DataDescriptorMinSize : kDataDescriptorMinSize;
        byStart.emplace_back(extent.start, i);
    }
    platform::heapSort(byStart);
    for (std::size_t k = 1; k < byStart.size(); ++k) {
        const std::size_t i = byStart[k].second;
        const std::size_t before = byStart[k - 1].second;
        if (extents[i].start < extents[before].end)
            fail(Fault::Overlap, entries_[i].name,
                 platform::concat({"the member shares bytes with '", entries_[before].name, "'"}).c_str());
    }
    for (const auto& [start, i] : byStart)
        if (extents[i].end > directoryStart_)
            fail(Fault::Overlap, entries_[i].name, "the member's data run into the central directory");
}

void ZipReader::extractInMemory(const Entry& e, const LocalExtent& extent, Sink sink) const {
    const auto inSize = static_cast<std::size_t>(e.compressedSize);
    const auto outSize = static_cast<std::size_t>(e.uncompressedSize);
    auto input = std::make_unique_for_overwrite<char[]>(inSize + 1);
    readFully(extent.dataStart, input.get(), inSize, e.name);
    auto output = std::make_unique_for_overwrite<char[]>(outSize + 1);
    std::size_t produced = 0;
    switch (inflateWhole(input.get(), inSize, output.get(), outSize, produced)) {
        case WholeInflate::Done: break;
        case WholeInflate::TooMuchData:
            fail(Fault::SizeMismatch, e.name, "the member holds more data than its directory entry announces");
        case WholeInflate::DataError:
            fail(Fault::BadCompressedData, e.name, "the deflate stream is damaged or ends early");
    }
    if (produced != outSize)
        fail(Fault::SizeMismatch, e.name, "the member holds fewer data than its directory entry announces");
    if (crc32Update(0, output.get(), produced) != e.crc32)
        fail(Fault::CrcMismatch, e.name, "the CRC-32 of the data does not match");
    // The sink sees the same bounded pieces as from a streamed member.
    for (std::size_t at = 0; at < produced; at += kChunk) sink(output.get() + at, std::min(kChunk, produced - at));
}

void ZipReader::extract(std::size_t index, Sink sink) const {
    checkMember(index);
    const Entry& e = entries_[index];
    const LocalExtent extent = readLocalHeader(index);
    if (e.method == kMethodDeflate && e.compressedSize <= inMemoryLimit_ && e.uncompressedSize <= inMemoryLimit_)
        return extractInMemory(e, extent, sink);
    // Stored bytes as read, or inflated bytes, on their way to the sink.
    auto chunk = std::make_unique_for_overwrite<char[]>(kChunk);
    std::uint64_t inputLeft = e.compressedSize;
    std::uint64_t inputAt = extent.dataStart;
    std::uint64_t written = 0;
    std::uint32_t crc = 0;

    auto deliver = [&](const char* data, std::size_t count) {
        if (count > e.uncompressedSize - written) {
            fail(Fault::SizeMismatch, e.name, "the member holds more data than its directory entry announces");
        }
        crc = crc32Update(crc, data, count);
        written += count;
        sink(data, count);
    };

    if (e.method == kMethodStored) {
        while (inputLeft > 0) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(inputLeft, kChunk));
            readFully(inputAt, chunk.get(), n, e.name);
            inputAt += n;
            inputLeft -= n;
            deliver(chunk.get(), n);
        }
    } else {
        auto readMember = [&](std::uint64_t at, char* buffer, std::size_t count) {
            readFully(at, buffer, count, e.name);
        };
        MemberInput memberInput(readMember, inputAt, inputLeft);
        StreamInflater inflater(memberInput);
        for (InflateStatus status = InflateStatus::More; status != InflateStatus::End;) {
            std::size_t produced = 0;
            status = inflater.read(reinterpret_cast<std::uint8_t*>(chunk.get()), kChunk, produced);
            if (produced > 0) deliver(chunk.get(), produced);
            if (status == InflateStatus::Truncated)
                fail(Fault::BadCompressedData, e.name, "the compressed data end before the deflate stream does");
            if (status == InflateStatus::Damaged)
                fail(Fault::BadCompressedData, e.name, "the deflate stream is damaged");
        }
    }
    if (written != e.uncompressedSize)
        fail(Fault::SizeMismatch, e.name, "the member holds fewer data than its directory entry announces");
    if (crc != e.crc32) fail(Fault::CrcMismatch, e.name, "the CRC-32 of the data does not match");
}

}  // namespace zip
