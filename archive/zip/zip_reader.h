// The ZIP reader: opens an archive over a Source, lists its central directory, looks names up
// ignoring ASCII case, checks members for safety and streams a member's data, inflated and
// CRC-checked, to a sink. It supports the subset a package archive uses: one disk, ZIP64
// records and fields where sizes, offsets or the member count need them, stored and deflate
// members, no encryption.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "archive/zip/source.h"
#include "archive/zip/zip_entry.h"
#include "platform/function_ref.h"

namespace zip {

// Receives a member's data in order, chunk by chunk.
using Sink = platform::FunctionRef<void(const char* data, std::size_t count)>;

class ZipReader {
public:
    // Reads the end record and the central directory. Throws ZipError when they are missing,
    // damaged or use what the reader does not support (several disks).
    explicit ZipReader(Source source);

    const std::vector<Entry>& entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }
    // Bytes before the archive (an archive appended to another file).
    std::uint64_t baseOffset() const { return base_; }

    // Position of the first member whose name equals `name` when ASCII letters A-Z are compared
    // without case; -1 when there is none.
    std::ptrdiff_t find(std::string_view name) const;

    // Checks one member without reading its data: not encrypted, stored or deflate, not a
    // special file, its local header present and agreeing with the central directory, its data
    // before the central directory. Throws ZipError naming the member.
    void checkMember(std::size_t index) const;

    // checkMember for every member, then that no two members share bytes (an overlap bomb
    // reuses one compressed stream for many members).
    void checkAllMembers() const;

    // Gives the member's data to `sink`: inflates deflate data, stops at the announced size,
    // and checks the size and CRC-32; the data arrive in pieces of at most 256 KiB. A deflate
    // member whose two sizes are within the in-memory limit is inflated whole and checked
    // before any piece reaches the sink; a larger one is streamed, with memory that does not
    // depend on its size, and checked at the end. Throws ZipError (a streamed member's data may have reached the sink); the
    // caller decides what to do with what was written.
    void extract(std::size_t index, Sink sink) const;

    // Members up to this many bytes (compressed and uncompressed) are inflated in memory.
    static constexpr std::uint64_t kDefaultInMemoryLimit = 32u << 20;
    void setInMemoryLimit(std::uint64_t bytes) { inMemoryLimit_ = bytes; }

private:
    struct LocalExtent {
        std::uint64_t start = 0;
        std::uint64_t dataStart = 0;
        std::uint64_t end = 0;  // one past the compressed data
    };
    LocalExtent readLocalHeader(std::size_t index) const;
    void readFully(std::uint64_t offset, char* buffer, std::size_t count, const std::string& member) const;
    void extractInMemory(const Entry& e, const LocalExtent& extent, Sink sink) const;

    Source source_;
    std::uint64_t inMemoryLimit_ = kDefaultInMemoryLimit;
    std::uint64_t base_ = 0;
    std::uint64_t directoryStart_ = 0;  // in the source
    std::vector<Entry> entries_;
};

}  // namespace zip
