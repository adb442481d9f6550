// Members are compressed whole (or piece by piece) before their local header is written, so
// the header carries the real sizes and CRC and no data descriptor is needed.
#include "archive/zip/zip_writer.h"

#include <limits>
#include <optional>
#include <stdexcept>
#include <zlib.h>

#include "archive/zip/byte_writer.h"
#include "archive/zip/crc32.h"
#include "archive/zip/zip64_extra.h"
#include "archive/zip/zip_entry.h"
#include "archive/zip/zip_format.h"

namespace zip {

namespace {

// Values above this go into ZIP64 fields; the maximum itself is the marker that says so.
constexpr std::uint64_t kMax32 = 0xFFFFFFFEu;

// Streams raw deflate output into a string, or to a drain when one is given.
class Deflater {
public:
    using Drain = std::function<void(const char* data, std::size_t count)>;
    explicit Deflater(int level, Drain drain = {}) : drain_(std::move(drain)) {
        if (deflateInit2(&stream_, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::bad_alloc();
    }
    ~Deflater() { deflateEnd(&stream_); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    void feed(std::string_view data, bool last) {
        std::size_t offset = 0;
        do {
            const std::size_t piece = std::min<std::size_t>(data.size() - offset, 1u << 30);
            stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data() + offset));
            stream_.avail_in = static_cast<uInt>(piece);
            offset += piece;
            const int flush = (last && offset == data.size()) ? Z_FINISH : Z_NO_FLUSH;
            int rc;
            do {
                char buffer[1 << 16];
                stream_.next_out = reinterpret_cast<Bytef*>(buffer);
                stream_.avail_out = sizeof buffer;
                rc = deflate(&stream_, flush);
                const std::size_t made = sizeof buffer - stream_.avail_out;
                produced_ += made;
                if (drain_) {
                    if (made > 0) drain_(buffer, made);
                } else {
                    out_.append(buffer, made);
                }
            } while (stream_.avail_out == 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
        } while (offset < data.size());
    }
    std::string& output() { return out_; }
    std::uint64_t produced() const { return produced_; }

private:
    z_stream stream_{};
    Drain drain_;
    std::string out_;
    std::uint64_t produced_ = 0;
};

}  // namespace

std::string rawDeflate(std::string_view data, int level) {
    Deflater deflater(level);
    deflater.feed(data, true);
    return std::move(deflater.output());
}

ZipWriter::ZipWriter(Sink sink) : sink_(std::move(sink)) {}

bool ZipWriter::wide(std::uint64_t value) const { return alwaysZip64_ || value > kMax32; }

void ZipWriter::emit(std::string_view bytes) {
    sink_(bytes.data(), bytes.size());
    offset_ += bytes.size();
}

void ZipWriter::add(std::string_view name, std::string_view data, const MemberOptions& options) {
    Central central;
    central.name = std::string(name);
    central.options = options;
    central.crc = crc32Of(data);
    central.uncompressedSize = data.size();
    std::string deflated;
    bool useDeflate = options.method == Method::Deflate;
    if (options.method != Method::Stored) {
        deflated = rawDeflate(data, options.level);
        if (options.method == Method::Auto) useDeflate = deflated.size() < data.size();
    }
    writeMember(std::move(central), data, deflated, useDeflate);
}

void ZipWriter::addStreamed(std::string_view name, const std::function<std::string_view()>& next,
                            const MemberOptions& options) {
    Central central;
    central.name = std::string(name);
    central.options = options;
    Deflater deflater(options.level);
    for (std::string_view piece = next();; piece = next()) {
        central.crc = crc32Update(central.crc, piece.data(), piece.size());
        central.uncompressedSize += piece.size();
        deflater.feed(piece, piece.empty());
        if (piece.empty()) break;
    }
    writeMember(std::move(central), {}, deflater.output(), true);
}

void ZipWriter::addReplayed(std::string_view name, const Producer& produce, const MemberOptions& options) {
    Central central;
    central.name = std::string(name);
    central.options = options;
    // First pass: CRC, size and, unless stored is asked for, the deflated size.
    std::uint64_t deflatedSize = 0;
    {
        std::optional<Deflater> measure;
        if (options.method != Method::Stored) measure.emplace(options.level, [](const char*, std::size_t) {});
        produce([&](std::string_view piece) {
            central.crc = crc32Update(central.crc, piece.data(), piece.size());
            central.uncompressedSize += piece.size();
            if (measure) measure->feed(piece, false);
        });
        if (measure) {
            measure->feed({}, true);
            deflatedSize = measure->produced();
        }
    }
    const bool useDeflate = options.method == Method::Deflate ||
                            (options.method == Method::Auto && deflatedSize < central.uncompressedSize);
    central.method = useDeflate ? kMethodDeflate : kMethodStored;
    central.compressedSize = useDeflate ? deflatedSize : central.uncompressedSize;
    const std::uint64_t dataStart = offset_ + writeLocalHeader(central);

    // Second pass: the same bytes again, straight to the sink.
    std::uint32_t crc = 0;
    std::uint64_t size = 0;
    std::optional<Deflater> deflater;
    if (useDeflate) deflater.emplace(options.level, [this](const char* data, std::size_t count) { emit({data, count}); });
    produce([&](std::string_view piece) {
        crc = crc32Update(crc, piece.data(), piece.size());
        size += piece.size();
        if (deflater) {
            deflater->feed(piece, false);
        } else {
            emit(piece);
        }
    });
    if (deflater) deflater->feed({}, true);
    if (crc != central.crc || size != central.uncompressedSize || offset_ - dataStart != central.compressedSize)
        throw MemberChanged("member '" + central.name + "' changed while it was being written");
    central_.push_back(std::move(central));
}

void ZipWriter::writeMember(Central central, std::string_view storedData, const std::string& deflated, bool useDeflate) {
    central.method = useDeflate ? kMethodDeflate : kMethodStored;
    std::string_view data = useDeflate ? std::string_view(deflated) : storedData;
    central.compressedSize = data.size();
    writeLocalHeader(central);
    emit(data);
    central_.push_back(std::move(central));
}

std::size_t ZipWriter::writeLocalHeader(Central& central) {
    central.flags = static_cast<std::uint16_t>((central.options.utf8Flag ? kFlagUtf8 : 0) | central.options.extraFlags);
    central.localOffset = offset_;
    if (central.name.size() > 0xFFFF) throw std::length_error("the member name is longer than 65,535 bytes: '" + central.name + "'");
    // Sizes past the 32-bit range go into a ZIP64 field that carries both (the local form).
    const bool wideSizes = wide(central.compressedSize) || wide(central.uncompressedSize);
    std::string extra;
    if (wideSizes) {
        WideFields marked;
        marked.hasOffsetAndDisk = false;
        marked.uncompressed = marked.compressed = kMax32Marker;
        extra = zip64ExtraFor(marked, central.uncompressedSize, central.compressedSize, 0);
    }

    std::string header;
    putU32(header, kLocalSignature);
    putU16(header, wideSizes ? kVersionZip64 : kVersionPlain);
    putU16(header, central.flags);
    putU16(header, central.method);
    putU16(header, central.options.modTime);
    putU16(header, central.options.modDate);
    putU32(header, central.crc);
    putU32(header, wideSizes ? kMax32Marker : static_cast<std::uint32_t>(central.compressedSize));
    putU32(header, wideSizes ? kMax32Marker : static_cast<std::uint32_t>(central.uncompressedSize));
    putU16(header, static_cast<std::uint16_t>(central.name.size()));
    putU16(header, static_cast<std::uint16_t>(extra.size()));
    putBytes(header, central.name);
    putBytes(header, extra);
    written_.push_back({central.name, offset_, offset_ + header.size(), central.compressedSize, central.method});
    emit(header);
    return header.size();
}

void ZipWriter::appendCentralHeader(std::string& directory, const Central& c) const {
    WideFields marked;
    marked.uncompressed = wide(c.uncompressedSize) ? kMax32Marker : c.uncompressedSize;
    marked.compressed = wide(c.compressedSize) ? kMax32Marker : c.compressedSize;
    marked.localOffset = wide(c.localOffset) ? kMax32Marker : c.localOffset;
    const std::string extra = zip64ExtraFor(marked, c.uncompressedSize, c.compressedSize, c.localOffset);
    const std::uint16_t needed = extra.empty() ? kVersionPlain : kVersionZip64;
    putU32(directory, kCentralSignature);
    putU16(directory, static_cast<std::uint16_t>(extra.empty() ? c.options.versionMadeBy
                                                               : (c.options.versionMadeBy & 0xFF00) | kVersionZip64));
    putU16(directory, needed);
    putU16(directory, c.flags);
    putU16(directory, c.method);
    putU16(directory, c.options.modTime);
    putU16(directory, c.options.modDate);
    putU32(directory, c.crc);
    putU32(directory, static_cast<std::uint32_t>(marked.compressed));
    putU32(directory, static_cast<std::uint32_t>(marked.uncompressed));
    putU16(directory, static_cast<std::uint16_t>(c.name.size()));
    putU16(directory, static_cast<std::uint16_t>(extra.size()));
    putU16(directory, 0);  // comment
    putU16(directory, 0);  // disk
    putU16(directory, 0);  // internal attributes
    putU32(directory, c.options.externalAttributes);
    putU32(directory, static_cast<std::uint32_t>(marked.localOffset));
    putBytes(directory, c.name);
    putBytes(directory, extra);
}

void ZipWriter::finish(std::string_view comment) {
    if (comment.size() > 0xFFFF) throw std::length_error("the archive comment is longer than 65,535 bytes");
    directoryOffset_ = offset_;
    std::string directory;
    for (const Central& c : central_) appendCentralHeader(directory, c);
    emit(directory);
    const std::uint64_t count = central_.size();
    // The ZIP64 end record and its locator only when a value of the end record overflows, so
    // archives that never needed them keep their bytes.
    const bool wideCount = alwaysZip64_ || count >= kMax16Marker;
    const bool wideEnd = wideCount || wide(directory.size()) || wide(directoryOffset_);
    if (wideEnd) {
        const std::uint64_t recordOffset = offset_;
        std::string record;
        putU32(record, kZip64EndSignature);
        putU64(record, 44);  // the record's size after this field
        putU16(record, kVersionZip64);
        putU16(record, kVersionZip64);
        putU32(record, 0);
        putU32(record, 0);
        putU64(record, count);
        putU64(record, count);
        putU64(record, directory.size());
        putU64(record, directoryOffset_);
        putU32(record, kZip64LocatorSignature);
        putU32(record, 0);
        putU64(record, recordOffset);
        putU32(record, 1);  // disks in all
        emit(record);
    }
    std::string end;
    putU32(end, kEndRecordSignature);
    putU16(end, 0);
    putU16(end, 0);
    putU16(end, static_cast<std::uint16_t>(wideCount ? kMax16Marker : count));
    putU16(end, static_cast<std::uint16_t>(wideCount ? kMax16Marker : count));
    putU32(end, wide(directory.size()) ? kMax32Marker : static_cast<std::uint32_t>(directory.size()));
    putU32(end, wide(directoryOffset_) ? kMax32Marker : static_cast<std::uint32_t>(directoryOffset_));
    putU16(end, static_cast<std::uint16_t>(comment.size()));
    putBytes(end, comment);
    emit(end);
}

std::string makeZip(const std::vector<std::pair<std::string, std::string>>& members) {
    std::string out;
    ZipWriter writer([&out](const char* data, std::size_t count) { out.append(data, count); });
    for (const auto& [name, data] : members) writer.add(name, data);
    writer.finish();
    return out;
}

}  // namespace zip
