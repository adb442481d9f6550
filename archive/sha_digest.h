// SHA-1 and SHA-256 (FIPS 180-4), fed in pieces: the two digests an Authenticode signature
// of a PE file uses, for pakiet verify. Small and self-contained; nothing else hashes here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace archive {

enum class DigestKind { Sha1, Sha256 };

class ShaDigest {
public:
    explicit ShaDigest(DigestKind kind);
    void update(std::string_view bytes);
    // The digest (20 or 32 bytes); the object is spent afterwards.
    std::string finish();

private:
    void compressBlock(const unsigned char* block);

    DigestKind kind_;
    std::array<std::uint32_t, 8> state_{};
    std::array<unsigned char, 64> block_{};
    std::size_t blockUsed_ = 0;
    std::uint64_t totalBytes_ = 0;
};

std::string shaDigest(DigestKind kind, std::string_view bytes);

}  // namespace archive
