// Both hashes share the padding (0x80, zeros, the bit length big-endian) and the 64-byte
// block; they differ in the state's size and the compression function.
#include "archive/sha_digest.h"

#include "platform/byte_order.h"

namespace archive {

namespace {

constexpr std::uint32_t rotl(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }
constexpr std::uint32_t rotr(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

constexpr std::uint32_t kSha256Rounds[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

void sha1Block(std::array<std::uint32_t, 8>& h, const unsigned char* block) {
    std::uint32_t w[80];
    for (int i = 0; i < 16; ++i) w[i] = platform::loadBE32(block + 4 * i);
    for (int i = 16; i < 80; ++i) w[i] = rotl(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
    for (int i = 0; i < 80; ++i) {
        std::uint32_t f, k;
        if (i < 20) f = (b & c) | (~b & d), k = 0x5A827999;
        else if (i < 40) f = b ^ c ^ d, k = 0x6ED9EBA1;
        else if (i < 60) f = (b & c) | (b & d) | (c & d), k = 0x8F1BBCDC;
        else f = b ^ c ^ d, k = 0xCA62C1D6;
        const std::uint32_t t = rotl(a, 5) + f + e + k + w[i];
        e = d, d = c, c = rotl(b, 30), b = a, a = t;
    }
    h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e;
}

void sha256Block(std::array<std::uint32_t, 8>& h, const unsigned char* block) {
    std::uint32_t w[64];
    for (int i = 0; i < 16; ++i) w[i] = platform::loadBE32(block + 4 * i);
    for (int i = 16; i < 64; ++i) {
        const std::uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const std::uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], k = h[7];
    for (int i = 0; i < 64; ++i) {
        const std::uint32_t t1 = k + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) +
                                 kSha256Rounds[i] + w[i];
        const std::uint32_t t2 = (rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
        k = g, g = f, f = e, e = d + t1, d = c, c = b, b = a, a = t1 + t2;
    }
    h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e, h[5] += f, h[6] += g, h[7] += k;
}

}  // namespace

ShaDigest::ShaDigest(DigestKind kind) : kind_(kind) {
    if (kind == DigestKind::Sha1)
        state_ = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0, 0, 0, 0};
    else
        state_ = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
}

void ShaDigest::compressBlock(const unsigned char* block) {
    if (kind_ == DigestKind::Sha1) sha1Block(state_, block);
    else sha256Block(state_, block);
}

void ShaDigest::update(std::string_view bytes) {
    totalBytes_ += bytes.size();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t left = bytes.size();
    if (blockUsed_ > 0) {
        const std::size_t take = left < 64 - blockUsed_ ? left : 64 - blockUsed_;
        for (std::size_t i = 0; i < take; ++i) block_[blockUsed_ + i] = p[i];
        blockUsed_ += take, p += take, left -= take;
        if (blockUsed_ < 64) return;
        compressBlock(block_.data());
        blockUsed_ = 0;
    }
    for (; left >= 64; p += 64, left -= 64) compressBlock(p);
    for (std::size_t i = 0; i < left; ++i) block_[i] = p[i];
    blockUsed_ = left;
}

std::string ShaDigest::finish() {
    const std::uint64_t bits = totalBytes_ * 8;
    unsigned char tail[72] = {0x80};
    const std::size_t padding = (blockUsed_ < 56 ? 56 : 120) - blockUsed_;
    platform::storeBE(tail + padding, bits, 8);
    update(std::string_view(reinterpret_cast<const char*>(tail), padding + 8));
    const int words = kind_ == DigestKind::Sha1 ? 5 : 8;
    std::string digest;
    for (int i = 0; i < words; ++i) platform::appendBE(digest, state_[i], 4);
    return digest;
}

std::string shaDigest(DigestKind kind, std::string_view bytes) {
    ShaDigest digest(kind);
    digest.update(bytes);
    return digest.finish();
}

}  // namespace archive
