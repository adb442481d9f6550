// The ZIP64 extended-information extra field (id 0x0001): 64-bit values for the header fields
// that hold their 32-bit (or 16-bit) maximum, in a fixed order, only for those fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "archive/zip/zip_format.h"

namespace zip {

// A header's size, offset and disk fields; a local header has no offset or disk.
struct WideFields {
    std::uint64_t uncompressed = 0;
    std::uint64_t compressed = 0;
    std::uint64_t localOffset = 0;
    std::uint32_t disk = 0;
    bool hasOffsetAndDisk = true;
    bool widened = false;  // a value came from the extra field
};

// Replaces each field at its maximum with the next value of the ZIP64 field in `extras`.
// Throws ZipError (Fault::Zip64, naming `member`) when a value is missing: no ZIP64 field,
// one too short, two of them, or an extra block whose lengths run past its end.
void widenFromZip64Extra(std::string_view extras, WideFields& fields, const std::string& member);

// The ZIP64 field for a writer: the values of `fields` at their maximum, as written in order.
std::string zip64ExtraFor(const WideFields& fields, std::uint64_t uncompressed, std::uint64_t compressed,
                          std::uint64_t localOffset);

}  // namespace zip
