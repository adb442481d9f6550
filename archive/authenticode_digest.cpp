// WIN_CERTIFICATE (length, revision 0x0200, type 0x0002 = PKCS#7 SignedData), then DER:
// ContentInfo { signedData, [0] SignedData { version, digestAlgorithms, contentInfo {
// SpcIndirectDataContent, [0] { data, DigestInfo { AlgorithmIdentifier { oid, .. }, digest }}}}}.
#include "archive/authenticode_digest.h"

#include <optional>
#include <string_view>

#include "archive/pe_certificate_table.h"
#include "archive/zip/byte_reader.h"

namespace archive {

namespace {

constexpr std::uint64_t kMaxCertificateTable = 1 << 20;
constexpr std::size_t kHashPiece = 1 << 16;

constexpr std::string_view kSignedDataOid("\x2A\x86\x48\x86\xF7\x0D\x01\x07\x02", 9);
constexpr std::string_view kIndirectDataOid("\x2B\x06\x01\x04\x01\x82\x37\x02\x01\x04", 10);
constexpr std::string_view kSha1Oid("\x2B\x0E\x03\x02\x1A", 5);
constexpr std::string_view kSha256Oid("\x60\x86\x48\x01\x65\x03\x04\x02\x01", 9);

constexpr unsigned char kSequence = 0x30, kSet = 0x31, kOid = 0x06, kOctets = 0x04, kInteger = 0x02,
                        kExplicit0 = 0xA0;

// One DER element after another; any fault makes every later read fail.
class DerReader {
public:
    explicit DerReader(std::string_view bytes) : rest_(bytes) {}
    // The content of the next element if it has the tag, else none (and the reader fails).
    std::optional<std::string_view> take(unsigned char tag) {
        if (rest_.size() < 2 || static_cast<unsigned char>(rest_[0]) != tag) return fail();
        std::size_t at = 2;
        std::size_t length = static_cast<unsigned char>(rest_[1]);
        if (length & 0x80) {  // long form; 0x80 alone (indefinite) is no DER
            const std::size_t count = length & 0x7F;
            if (count == 0 || count > 4 || rest_.size() < 2 + count) return fail();
            length = 0;
            for (std::size_t i = 0; i < count; ++i) length = length << 8 | static_cast<unsigned char>(rest_[2 + i]);
            at += count;
        }
        if (length > rest_.size() - at) return fail();
        const std::string_view content = rest_.substr(at, length);
        rest_.remove_prefix(at + length);
        return content;
    }

private:
    std::optional<std::string_view> fail() {
        rest_ = {};
        return std::nullopt;
    }
    std::string_view rest_;
};

struct SignedDigestValue {
    std::string_view algorithm;  // the OID's content
    std::string_view digest;
};

// The SEQUENCE a ContentInfo (its type, then [0] EXPLICIT content) carries, when its type is
// `type`.
std::optional<std::string_view> contentOfType(std::string_view contentInfo, std::string_view type) {
    DerReader fields(contentInfo);
    if (fields.take(kOid) != type) return std::nullopt;
    const auto wrapped = fields.take(kExplicit0);
    if (!wrapped) return std::nullopt;
    return DerReader(*wrapped).take(kSequence);
}

// The digest of the first certificate, if the table holds an Authenticode SignedData.
std::optional<SignedDigestValue> signedDigestIn(std::string_view table) {
    zip::ByteReader header(table);
    const std::uint32_t length = header.u32();
    const std::uint16_t revision = header.u16();
    const std::uint16_t type = header.u16();
    if (!header.ok() || revision != 0x0200 || type != 0x0002 || length < 8 || length > table.size())
        return std::nullopt;
    DerReader outer(table.substr(8, length - 8));
    const auto contentInfo = outer.take(kSequence);
    if (!contentInfo) return std::nullopt;
    const auto signedData = contentOfType(*contentInfo, kSignedDataOid);
    if (!signedData) return std::nullopt;
    DerReader fields(*signedData);
    if (!fields.take(kInteger) || !fields.take(kSet)) return std::nullopt;
    const auto inner = fields.take(kSequence);
    if (!inner) return std::nullopt;
    const auto indirect = contentOfType(*inner, kIndirectDataOid);
    if (!indirect) return std::nullopt;
    DerReader indirectFields(*indirect);
    if (!indirectFields.take(kSequence)) return std::nullopt;  // SpcAttributeTypeAndOptionalValue
    const auto digestInfo = indirectFields.take(kSequence);
    if (!digestInfo) return std::nullopt;
    DerReader digestFields(*digestInfo);
    const auto algorithmIdentifier = digestFields.take(kSequence);
    const auto digest = digestFields.take(kOctets);
    if (!algorithmIdentifier || !digest) return std::nullopt;
    const auto algorithm = DerReader(*algorithmIdentifier).take(kOid);
    if (!algorithm) return std::nullopt;
    return SignedDigestValue{*algorithm, *digest};
}

// The image hash: every byte before the table except the two header fields.
std::string imageDigest(platform::ReadableFile& file, const PeSignatureFields& fields, DigestKind kind) {
    ShaDigest digest(kind);
    std::string piece(kHashPiece, '\0');
    const std::uint64_t skipped[2][2] = {{fields.checksumAt, 4}, {fields.directoryEntryAt, 8}};
    std::uint64_t at = 0;
    const std::uint64_t end = fields.table.offset;
    while (at < end) {
        std::uint64_t stop = end < at + kHashPiece ? end : at + kHashPiece;
        for (const auto& skip : skipped)  // never read across a skipped field
            if (at < skip[0] && skip[0] < stop) stop = skip[0];
        for (const auto& skip : skipped)
            if (at == skip[0]) {
                at += skip[1];
                stop = at;
            }
        if (stop <= at) continue;
        const std::size_t got = file.readAt(static_cast<std::int64_t>(at), piece.data(), static_cast<std::size_t>(stop - at));
        if (got == 0) break;
        digest.update(std::string_view(piece.data(), got));
        at += got;
    }
    return digest.finish();
}

}  // namespace

SignedDigestCheck checkSignedDigest(platform::ReadableFile& file) {
    SignedDigestCheck check;
    const auto table = findCertificateTable(file);
    if (!table) return check;
    std::string head(kPeHeaderSpan, '\0');
    head.resize(file.readAt(0, head.data(), head.size()));
    const auto fields = readPeSignatureFields(head);
    check.result = SignedDigest::Unreadable;
    if (!fields || table->size > kMaxCertificateTable) return check;
    std::string bytes(static_cast<std::size_t>(table->size), '\0');
    bytes.resize(file.readAt(static_cast<std::int64_t>(table->offset), bytes.data(), bytes.size()));
    const auto value = signedDigestIn(bytes);
    if (!value) return check;
    if (value->algorithm == kSha256Oid) check.kind = DigestKind::Sha256;
    else if (value->algorithm == kSha1Oid) check.kind = DigestKind::Sha1;
    else {
        check.result = SignedDigest::UnknownAlgorithm;
        return check;
    }
    check.result = imageDigest(file, *fields, check.kind) == value->digest ? SignedDigest::Matches
                                                                            : SignedDigest::DiffersFromFile;
    return check;
}

}  // namespace archive
