// A ZIP writer for pakiet build and for test fixtures: members in the order they are added,
// stored or raw-deflated, with the UTF-8 flag and fixed timestamps by default, so the same
// input gives the same bytes. Output goes to a sink as it is produced; a member's compressed
// data are held in memory until its header is written.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zip {

enum class Method {
    Auto,     // deflate, unless it does not make the data smaller: then stored
    Stored,
    Deflate,
};

struct MemberOptions {
    Method method = Method::Auto;
    bool utf8Flag = true;
    // 1980-01-01 00:00:00 in MS-DOS form: a fixed time keeps builds reproducible.
    std::uint16_t modTime = 0;
    std::uint16_t modDate = (0 << 9) | (1 << 5) | 1;
    std::uint16_t versionMadeBy = 20;      // 2.0 on MS-DOS
    std::uint32_t externalAttributes = 0x20;  // archive bit
    std::uint16_t extraFlags = 0;          // further flag bits, as written (fixtures)
    int level = 9;                         // zlib deflate level
};

// Where each member landed, for fixtures that patch fields afterwards.
struct WrittenMember {
    std::string name;
    std::uint64_t localHeaderOffset = 0;
    std::uint64_t dataOffset = 0;
    std::uint64_t compressedSize = 0;
    std::uint16_t method = 0;
};

// A replayed member whose second pass gave other bytes than its first.
class MemberChanged : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ZipWriter {
public:
    using Sink = std::function<void(const char* data, std::size_t count)>;
    explicit ZipWriter(Sink sink);

    // `name` is written byte for byte (with '\' or '/' as the caller chose).
    void add(std::string_view name, std::string_view data, const MemberOptions& options = {});
    // A member whose data come in pieces from `next` (an empty piece ends them); for members
    // too large to hold uncompressed.
    void addStreamed(std::string_view name, const std::function<std::string_view()>& next,
                     const MemberOptions& options = {});
    // A member too large to hold in memory, whose bytes `produce` gives twice, piece by piece,
    // to the function it is handed: once for its CRC, size and method, once to write it. Memory
    // does not depend on the member's size. Throws MemberChanged when the two passes differ.
    using Producer = std::function<void(const std::function<void(std::string_view piece)>& take)>;
    void addReplayed(std::string_view name, const Producer& produce, const MemberOptions& options = {});
    // Writes the central directory and the end record, with ZIP64 records and fields only
    // where a count, size or offset does not fit the classic ones. Throws std::length_error
    // for a comment longer than 65,535 bytes.
    void finish(std::string_view comment = {});

    // Fixtures: every later member and the end in ZIP64 form, whether needed or not, so the
    // reader's ZIP64 paths can be tried on small archives.
    void setAlwaysZip64(bool always) { alwaysZip64_ = always; }

    const std::vector<WrittenMember>& members() const { return written_; }
    std::uint64_t directoryOffset() const { return directoryOffset_; }
    std::uint64_t bytesWritten() const { return offset_; }

private:
    struct Central {
        std::string name;
        MemberOptions options;
        std::uint16_t flags = 0;
        std::uint16_t method = 0;
        std::uint32_t crc = 0;
        std::uint64_t compressedSize = 0;
        std::uint64_t uncompressedSize = 0;
        std::uint64_t localOffset = 0;
    };
    void emit(std::string_view bytes);
    void writeMember(Central central, std::string_view storedData, const std::string& deflated, bool useDeflate);
    // Sets the flags and offset, writes the header; returns its size.
    std::size_t writeLocalHeader(Central& central);

    bool wide(std::uint64_t value) const;
    // Appends the member's central directory header (with a ZIP64 field where a value needs one).
    void appendCentralHeader(std::string& directory, const Central& c) const;

    Sink sink_;
    bool alwaysZip64_ = false;
    std::uint64_t offset_ = 0;
    std::uint64_t directoryOffset_ = 0;
    std::vector<Central> central_;
    std::vector<WrittenMember> written_;
};

// Raw deflate of a whole buffer (no zlib header), for fixtures and benchmarks.
std::string rawDeflate(std::string_view data, int level = 9);

// A whole archive in memory: members of (name, data) with default options.
std::string makeZip(const std::vector<std::pair<std::string, std::string>>& members);

}  // namespace zip
