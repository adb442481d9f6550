// Only the values a header marks are taken, so a field that carries more (some writers put
// both sizes in every local field) still reads in order; a field that carries fewer is refused.
#include "archive/zip/zip64_extra.h"

#include "archive/zip/byte_reader.h"
#include "archive/zip/byte_writer.h"
#include "archive/zip/zip_error.h"

namespace zip {

void widenFromZip64Extra(std::string_view extras, WideFields& fields, const std::string& member) {
    const bool wideUncompressed = fields.uncompressed == kMax32Marker;
    const bool wideCompressed = fields.compressed == kMax32Marker;
    const bool wideOffset = fields.hasOffsetAndDisk && fields.localOffset == kMax32Marker;
    const bool wideDisk = fields.hasOffsetAndDisk && fields.disk == kMax16Marker;
    if (!wideUncompressed && !wideCompressed && !wideOffset && !wideDisk) return;

    std::string_view data;
    bool found = false;
    ByteReader blocks(extras);
    while (blocks.remaining() > 0) {
        const std::uint16_t id = blocks.u16();
        const std::uint16_t length = blocks.u16();
        const std::string_view body = blocks.bytes(length);
        if (!blocks.ok()) fail(Fault::Zip64, member, "the extra fields run past their declared length");
        if (id != kZip64ExtraId) continue;
        if (found) fail(Fault::Zip64, member, "two ZIP64 extra fields");
        data = body;
        found = true;
    }
    if (!found) fail(Fault::Zip64, member, "a field holds the ZIP64 marker but there is no ZIP64 extra field");
    ByteReader in(data);
    if (wideUncompressed) fields.uncompressed = in.u64();
    if (wideCompressed) fields.compressed = in.u64();
    if (wideOffset) fields.localOffset = in.u64();
    if (wideDisk) fields.disk = in.u32();
    if (!in.ok()) fail(Fault::Zip64, member, "the ZIP64 extra field is shorter than the values it must hold");
    fields.widened = true;
}

std::string zip64ExtraFor(const WideFields& fields, std::uint64_t uncompressed, std::uint64_t compressed,
                          std::uint64_t localOffset) {
    std::string values;
    if (fields.uncompressed == kMax32Marker) putU64(values, uncompressed);
    if (fields.compressed == kMax32Marker) putU64(values, compressed);
    if (fields.hasOffsetAndDisk && fields.localOffset == kMax32Marker) putU64(values, localOffset);
    if (values.empty()) return values;
    std::string field;
    putU16(field, kZip64ExtraId);
    putU16(field, static_cast<std::uint16_t>(values.size()));
    putBytes(field, values);
    return field;
}

}  // namespace zip
