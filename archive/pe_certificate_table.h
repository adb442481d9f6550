// Where an Authenticode signature sits in a PE file: the security directory names the
// certificate table by file offset and size. A signed installer keeps its trailer just before
// that table, so the installer must look there instead of at the end of the file.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/file_system.h"

namespace archive {

struct CertificateTable {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

// The certificate table of a PE file, when the file is one and its security directory names
// a table that ends exactly at the end of the file (a signature appended by a signing tool).
// Anything else (no PE image, no table, a table inside the image) gives none. Errors of the
// file pass through.
std::optional<CertificateTable> findCertificateTable(platform::ReadableFile& file);

}  // namespace archive
