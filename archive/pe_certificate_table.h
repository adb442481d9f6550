// Where an Authenticode signature sits in a PE file: the security directory names the
// certificate table by file offset and size. A signed installer keeps its trailer just before
// that table, so the installer must look there instead of at the end of the file.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/file_system.h"

namespace archive {

struct CertificateTable {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

// The fields of a PE image's headers a signature involves: the two the Authenticode digest
// leaves out (the checksum and the security directory entry, by file offset) and the table
// the directory names (size 0: none).
struct PeSignatureFields {
    std::uint64_t checksumAt = 0;
    std::uint64_t directoryEntryAt = 0;
    CertificateTable table;
};

// The size of the file's head that readPeSignatureFields needs.
inline constexpr std::size_t kPeHeaderSpan = 4096;

// From the first bytes of a file; none when they hold no PE image with a security directory.
std::optional<PeSignatureFields> readPeSignatureFields(std::string_view head);

// The certificate table of a PE file, when the file is one and its security directory names
// a table that ends exactly at the end of the file (a signature appended by a signing tool).
// Anything else (no PE image, no table, a table inside the image) gives none. Errors of the
// file pass through.
std::optional<CertificateTable> findCertificateTable(platform::ReadableFile& file);

}  // namespace archive
