// Our inflater against zlib: random data deflated by zlib with every level and strategy must
// come back byte for byte, whole and in random pieces; damaged streams must be refused as
// zlib refuses them; and the CRC-32 must be zlib's. The random cases print their seed;
// LUMOR_SEED=n reruns one seed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>
#include <zlib.h>

#include "archive/zip/crc32.h"
#include "archive/zip/inflater.h"
#include "tests/support/random_seed.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Data with a mix of runs, repeats at every distance, text-like and incompressible spans.
Bytes randomData(std::mt19937& rng, std::size_t size) {
    Bytes out;
    out.reserve(size);
    while (out.size() < size) {
        const std::size_t span = std::min<std::size_t>(size - out.size(), 1 + rng() % 3000);
        switch (rng() % 4) {
            case 0: out.insert(out.end(), span, static_cast<std::uint8_t>(rng())); break;
            case 1:
                if (!out.empty()) {
                    const std::size_t from = out.size() - 1 - rng() % std::min<std::size_t>(out.size(), 40000);
                    for (std::size_t i = 0; i < span; ++i) out.push_back(out[from + i]);
                    break;
                }
                [[fallthrough]];
            case 2:
                for (std::size_t i = 0; i < span; ++i) out.push_back(static_cast<std::uint8_t>('a' + rng() % 6));
                break;
            default:
                for (std::size_t i = 0; i < span; ++i) out.push_back(static_cast<std::uint8_t>(rng()));
        }
    }
    return out;
}

Bytes zlibDeflate(const Bytes& data, int level, int windowBits, int strategy) {
    z_stream s{};
    EXPECT_EQ(deflateInit2(&s, level, Z_DEFLATED, -windowBits, 8, strategy), Z_OK);
    Bytes out(deflateBound(&s, static_cast<uLong>(data.size())) + 16);
    s.next_in = const_cast<Bytef*>(data.data());
    s.avail_in = static_cast<uInt>(data.size());
    s.next_out = out.data();
    s.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&s, Z_FINISH), Z_STREAM_END);
    out.resize(s.total_out);
    deflateEnd(&s);
    return out;
}

// zlib's verdict on a raw stream: its output, or nothing when it refuses or wants more input.
bool zlibInflate(const Bytes& stream, Bytes& out) {
    z_stream s{};
    inflateInit2(&s, -15);
    s.next_in = const_cast<Bytef*>(stream.data());
    s.avail_in = static_cast<uInt>(stream.size());
    out.assign(1 << 20, 0);
    s.next_out = out.data();
    s.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&s, Z_FINISH);
    out.resize(s.total_out);
    inflateEnd(&s);
    return rc == Z_STREAM_END;
}

// Feeds the stream in pieces of random size.
class PiecesInput : public zip::InflateInput {
public:
    PiecesInput(const Bytes& stream, std::mt19937& rng) : stream_(stream), rng_(rng) {}
    std::size_t read(std::uint8_t* buffer, std::size_t capacity) override {
        const std::size_t n = std::min({capacity, stream_.size() - at_, std::size_t{1} + rng_() % 5000});
        std::copy_n(stream_.begin() + static_cast<std::ptrdiff_t>(at_), n, buffer);
        at_ += n;
        return n;
    }

private:
    const Bytes& stream_;
    std::mt19937& rng_;
    std::size_t at_ = 0;
};

zip::InflateStatus streamInflate(const Bytes& stream, std::mt19937& rng, Bytes& out) {
    PiecesInput input(stream, rng);
    zip::StreamInflater inflater(input);
    out.clear();
    for (;;) {
        std::uint8_t piece[70000];
        std::size_t produced = 0;
        const std::size_t capacity = 1 + rng() % sizeof piece;
        const zip::InflateStatus status = inflater.read(piece, capacity, produced);
        out.insert(out.end(), piece, piece + produced);
        if (status != zip::InflateStatus::More) return status;
    }
}

zip::InflateStatus wholeInflate(const Bytes& stream, std::size_t capacity, Bytes& out) {
    out.assign(capacity, 0);
    std::size_t produced = 0;
    const zip::InflateStatus status = zip::inflateInto(stream.data(), stream.size(), out.data(), capacity, produced);
    out.resize(produced);
    return status;
}

// The seed LUMOR_SEED names, if any.
std::optional<unsigned> givenSeed() {
    const char* given = std::getenv("LUMOR_SEED");
    if (!given || !*given) return std::nullopt;
    return static_cast<unsigned>(std::strtoul(given, nullptr, 10));
}

unsigned firstSeed() {
    if (const auto seed = givenSeed()) return *seed;
    return std::random_device{}();
}

// Said before the cases run: each case uses the seed after the one before.
void announceSeeds(const char* what, unsigned first, int cases) {
    std::fprintf(stderr, "%s seeds %u to %u (rerun one: LUMOR_SEED=n)\n", what, first,
                 first + static_cast<unsigned>(cases) - 1);
    std::fflush(stderr);
}

TEST(Inflater, InflatesZlibStreamsOfEveryLevelAndStrategyWholeAndInPieces) {
    const unsigned first = firstSeed();
    const int cases = givenSeed() ? 1 : 60;
    announceSeeds("inflater", first, cases);
    for (int k = 0; k < cases; ++k) {
        const unsigned seed = first + static_cast<unsigned>(k);
        std::mt19937 rng(seed);
        const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED};
        const Bytes data = randomData(rng, rng() % 3 == 0 ? rng() % 300 : rng() % 400000);
        const Bytes stream = zlibDeflate(data, static_cast<int>(rng() % 10), 9 + static_cast<int>(rng() % 7),
                                         strategies[rng() % 5]);
        Bytes whole, pieces;
        ASSERT_EQ(wholeInflate(stream, data.size(), whole), zip::InflateStatus::End) << "seed " << seed;
        EXPECT_TRUE(whole == data) << "seed " << seed;
        ASSERT_EQ(streamInflate(stream, rng, pieces), zip::InflateStatus::End) << "seed " << seed;
        EXPECT_TRUE(pieces == data) << "seed " << seed;
        if (::testing::Test::HasFailure()) {
            testsupport::announceSeed("inflater, failed at", seed, "LUMOR_SEED");
            return;
        }
    }
}

TEST(Inflater, RefusesWhatZlibRefusesAndAgreesOnWhatItAccepts) {
    // Flipped bits and cut-off ends in real streams: where zlib ends the stream, so must we
    // with the same bytes; where it refuses or runs out of input, we must not claim an end.
    const unsigned first = firstSeed();
    const int cases = givenSeed() ? 1 : 400;
    announceSeeds("inflater damage", first, cases);
    for (int k = 0; k < cases; ++k) {
        const unsigned seed = first + static_cast<unsigned>(k);
        std::mt19937 rng(seed);
        const Bytes data = randomData(rng, rng() % 20000);
        Bytes stream = zlibDeflate(data, static_cast<int>(rng() % 10), 15, rng() % 2 ? Z_DEFAULT_STRATEGY : Z_FIXED);
        if (rng() % 3 == 0) stream.resize(rng() % (stream.size() + 1));
        for (int flips = static_cast<int>(rng() % 4); flips > 0 && !stream.empty(); --flips)
            stream[rng() % stream.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
        Bytes expected, whole, pieces;
        const bool zlibEnds = zlibInflate(stream, expected);
        const zip::InflateStatus w = wholeInflate(stream, 1 << 20, whole);
        const zip::InflateStatus s = streamInflate(stream, rng, pieces);
        EXPECT_EQ(w == zip::InflateStatus::End, zlibEnds) << "seed " << seed;
        EXPECT_EQ(s == zip::InflateStatus::End, zlibEnds) << "seed " << seed;
        if (zlibEnds) {
            EXPECT_TRUE(whole == expected) << "seed " << seed;
            EXPECT_TRUE(pieces == expected) << "seed " << seed;
        }
        if (::testing::Test::HasFailure()) {
            testsupport::announceSeed("inflater damage, failed at", seed, "LUMOR_SEED");
            return;
        }
    }
}

TEST(Inflater, TellsACutOffStreamFromADamagedOne) {
    std::mt19937 rng(7);
    const Bytes data = randomData(rng, 50000);
    Bytes stream = zlibDeflate(data, 6, 15, Z_DEFAULT_STRATEGY);
    Bytes out;
    Bytes cut(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(stream.size() / 2));
    EXPECT_EQ(wholeInflate(cut, data.size(), out), zip::InflateStatus::Truncated);
    EXPECT_EQ(streamInflate(cut, rng, out), zip::InflateStatus::Truncated);
    const Bytes reservedBlockType = {0x07};  // final block of type 3
    EXPECT_EQ(wholeInflate(reservedBlockType, 10, out), zip::InflateStatus::Damaged);
    const Bytes storedLengthMismatch = {0x01, 0x05, 0x00, 0xFA, 0xFE, 'h', 'e', 'l', 'l', 'o'};
    EXPECT_EQ(wholeInflate(storedLengthMismatch, 10, out), zip::InflateStatus::Damaged);
    // A fixed block whose first symbol is a match (length 3, distance 1): nothing to copy from.
    const Bytes tooFarBack = {0x03, 0x02, 0x00};
    EXPECT_EQ(wholeInflate(tooFarBack, 10, out), zip::InflateStatus::Damaged);
    EXPECT_FALSE(zlibInflate(tooFarBack, out));
}

TEST(Inflater, WholeInflationReportsAStreamLargerThanTheBuffer) {
    std::mt19937 rng(11);
    for (int strategy : {Z_DEFAULT_STRATEGY, Z_HUFFMAN_ONLY}) {
        for (int level : {0, 6}) {
            const Bytes data = randomData(rng, 10000);
            const Bytes stream = zlibDeflate(data, level, 15, strategy);
            Bytes out;
            EXPECT_EQ(wholeInflate(stream, data.size() - 1, out), zip::InflateStatus::TooMuch);
            EXPECT_EQ(wholeInflate(stream, data.size(), out), zip::InflateStatus::End);
            EXPECT_TRUE(out == data);
        }
    }
}

TEST(Crc32, MatchesZlibOnEveryLengthAndAlignment) {
    std::mt19937 rng(3);
    const Bytes data = randomData(rng, 5000);
    for (std::size_t start = 0; start < 9; ++start) {
        for (std::size_t length : {0u, 1u, 7u, 8u, 9u, 63u, 4000u}) {
            const std::uint32_t ours = zip::crc32Update(0x12345678u, data.data() + start, length);
            const auto theirs = static_cast<std::uint32_t>(crc32(0x12345678u, data.data() + start, static_cast<uInt>(length)));
            EXPECT_EQ(ours, theirs) << start << " " << length;
        }
    }
}

}  // namespace
