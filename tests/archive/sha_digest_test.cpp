// SHA-1 and SHA-256 against the published test vectors, fed whole and in uneven pieces.
#include <gtest/gtest.h>

#include "archive/sha_digest.h"

namespace {

std::string hex(const std::string& bytes) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) out += {kHex[b >> 4], kHex[b & 15]};
    return out;
}

struct Vector {
    std::string message;
    const char* sha1;
    const char* sha256;
};

TEST(ShaDigest, MatchesThePublishedVectorsWholeAndInPieces) {
    const Vector vectors[] = {
        {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709",
         "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d",
         "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", "84983e441c3bd26ebaae4aa1f95129e5e54670f1",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f",
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const Vector& v : vectors) {
        SCOPED_TRACE(v.message.substr(0, 20));
        EXPECT_EQ(hex(archive::shaDigest(archive::DigestKind::Sha1, v.message)), v.sha1);
        EXPECT_EQ(hex(archive::shaDigest(archive::DigestKind::Sha256, v.message)), v.sha256);
        for (archive::DigestKind kind : {archive::DigestKind::Sha1, archive::DigestKind::Sha256}) {
            archive::ShaDigest pieces(kind);
            for (std::size_t at = 0, step = 1; at < v.message.size(); at += step, step = step * 7 % 97 + 1)
                pieces.update(std::string_view(v.message).substr(at, step));
            EXPECT_EQ(pieces.finish(), archive::shaDigest(kind, v.message));
        }
    }
}

}  // namespace
