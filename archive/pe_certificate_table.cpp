// DOS header -> "PE\0\0" -> COFF header -> optional header (PE32 or PE32+) -> data
// directory 4 (the security directory, whose address is a file offset, not an RVA).
#include "archive/pe_certificate_table.h"

#include <string>

#include "archive/zip/byte_reader.h"

namespace archive {

namespace {

constexpr std::uint32_t kSecurityDirectory = 4;
constexpr std::size_t kChecksumInOptionalHeader = 64;  // the same in PE32 and PE32+

}  // namespace

std::optional<PeSignatureFields> readPeSignatureFields(std::string_view head) {
    zip::ByteReader dos(head);
    if (dos.u16() != 0x5A4D) return std::nullopt;  // "MZ"
    dos.skip(0x3C - 2);
    const std::uint32_t peOffset = dos.u32();
    if (!dos.ok() || peOffset >= head.size()) return std::nullopt;

    zip::ByteReader pe(head.substr(peOffset));
    if (pe.u32() != 0x00004550) return std::nullopt;  // "PE\0\0"
    pe.skip(16);                                       // COFF fields before the optional header's size
    const std::uint16_t optionalSize = pe.u16();
    pe.skip(2);
    const std::uint64_t optionalAt = peOffset + 24;
    const std::uint16_t magic = pe.u16();
    std::size_t directoriesAt;  // offset of NumberOfRvaAndSizes within the optional header
    if (magic == 0x10B) directoriesAt = 92;
    else if (magic == 0x20B) directoriesAt = 108;
    else return std::nullopt;
    pe.skip(directoriesAt - 2);
    const std::uint32_t directoryCount = pe.u32();
    if (!pe.ok() || directoryCount <= kSecurityDirectory ||
        optionalSize < directoriesAt + 4 + 8 * (kSecurityDirectory + 1))
        return std::nullopt;
    pe.skip(8 * kSecurityDirectory);
    PeSignatureFields fields;
    fields.checksumAt = optionalAt + kChecksumInOptionalHeader;
    fields.directoryEntryAt = optionalAt + directoriesAt + 4 + 8 * kSecurityDirectory;
    fields.table.offset = pe.u32();
    fields.table.size = pe.u32();
    if (!pe.ok()) return std::nullopt;
    return fields;
}

std::optional<CertificateTable> findCertificateTable(platform::ReadableFile& file) {
    const std::int64_t fileSize = file.size();
    std::string head(kPeHeaderSpan, '\0');
    head.resize(file.readAt(0, head.data(), head.size()));
    const auto fields = readPeSignatureFields(head);
    if (!fields) return std::nullopt;
    const CertificateTable table = fields->table;
    if (table.size == 0 || table.offset == 0) return std::nullopt;
    if (table.offset + table.size != static_cast<std::uint64_t>(fileSize)) return std::nullopt;
    return table;
}

}  // namespace archive
