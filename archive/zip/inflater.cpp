// Table-driven Huffman decoding: a first-level table indexed by the next 10 bits (8 for
// distances) whose entries give the symbol's meaning directly, with second-level tables for
// the rarer longer codes. Input comes 64 bits at a time into a bit buffer; the decoder stops
// only between symbols, with room for the longest match left, so its state is the block's.
#include "archive/zip/inflater.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace zip {

namespace {

constexpr unsigned kMaxCodeBits = 15;
constexpr unsigned kLitLenBits = 10;
constexpr unsigned kDistBits = 8;
constexpr std::size_t kHistory = 32u << 10;
constexpr std::size_t kWindowArea = 96u << 10;  // inflated per slide of the window
constexpr std::size_t kMaxMatch = 258;
constexpr std::size_t kInputBuffer = 64u << 10;

// A table entry: code length in bits 0-4 (0: no such code), extra bits or second-level index
// bits in 5-9, the value in 10-29 (literal, base, or second-level table offset), the kind in
// 30-31.
enum Kind : std::uint32_t { kLiteral = 0, kBase = 1, kEnd = 2, kLink = 3 };
constexpr std::uint32_t kInvalidSymbol = 1;  // an end entry with this value: a code no stream may use

constexpr std::uint32_t entry(Kind kind, std::uint32_t value, unsigned extra, unsigned length) {
    return kind << 30 | value << 10 | extra << 5 | length;
}
inline unsigned codeLength(std::uint32_t e) { return e & 31; }
inline unsigned extraBits(std::uint32_t e) { return (e >> 5) & 31; }
inline std::uint32_t valueOf(std::uint32_t e) { return (e >> 10) & 0xFFFFF; }
inline std::uint32_t kindOf(std::uint32_t e) { return e >> 30; }

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10,  11,  13,
                                                       15, 17, 19, 23, 27, 31, 35, 43,  51,  59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistBase = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                                     33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                                     1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 19> kCodeLengthOrder = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11,
                                                           4,  12, 3,  13, 2, 14, 1, 15};

enum class Alphabet { CodeLengths, LitLen, Distance };

std::uint32_t meaning(Alphabet alphabet, unsigned symbol, unsigned length) {
    switch (alphabet) {
        case Alphabet::CodeLengths: return entry(kLiteral, symbol, 0, length);
        case Alphabet::LitLen:
            if (symbol < 256) return entry(kLiteral, symbol, 0, length);
            if (symbol == 256) return entry(kEnd, 0, 0, length);
            if (symbol < 286) return entry(kBase, kLengthBase[symbol - 257], kLengthExtra[symbol - 257], length);
            return entry(kEnd, kInvalidSymbol, 0, length);
        case Alphabet::Distance:
            if (symbol < 30) return entry(kBase, kDistBase[symbol], symbol < 4 ? 0 : symbol / 2 - 1, length);
            return entry(kEnd, kInvalidSymbol, 0, length);
    }
    return 0;
}

// Builds the decoding table of a canonical Huffman code from its code lengths. False for an
// over-subscribed code, or an incomplete one other than a single one-bit code (as zlib: a
// distance code may be that, or empty when a block has no matches).
bool buildTable(const std::uint8_t* lengths, unsigned count, Alphabet alphabet, unsigned primaryBits,
                std::vector<std::uint32_t>& table) {
    std::array<unsigned, kMaxCodeBits + 1> perLength{};
    for (unsigned s = 0; s < count; ++s) ++perLength[lengths[s]];
    perLength[0] = 0;
    unsigned maxLength = 0;
    int left = 1;
    for (unsigned len = 1; len <= kMaxCodeBits; ++len) {
        left = left * 2 - static_cast<int>(perLength[len]);
        if (left < 0) return false;
        if (perLength[len]) maxLength = len;
    }
    if (left > 0 && maxLength > 0 && (alphabet == Alphabet::CodeLengths || maxLength != 1)) return false;

    const std::size_t primarySize = std::size_t{1} << primaryBits;
    table.assign(primarySize, 0);
    const unsigned subBits = maxLength > primaryBits ? maxLength - primaryBits : 0;
    std::array<unsigned, kMaxCodeBits + 2> nextCode{};
    for (unsigned len = 1, code = 0; len <= kMaxCodeBits; ++len) {
        code = (code + perLength[len - 1]) << 1;
        nextCode[len] = code;
    }
    for (unsigned s = 0; s < count; ++s) {
        const unsigned len = lengths[s];
        if (len == 0) continue;
        unsigned code = nextCode[len]++;
        unsigned reversed = 0;
        for (unsigned b = 0; b < len; ++b, code >>= 1) reversed = reversed << 1 | (code & 1);
        const std::uint32_t e = meaning(alphabet, s, len);
        if (len <= primaryBits) {
            for (std::size_t i = reversed; i < primarySize; i += std::size_t{1} << len) table[i] = e;
            continue;
        }
        const std::size_t prefix = reversed & (primarySize - 1);
        if (kindOf(table[prefix]) != kLink) {
            table[prefix] = entry(kLink, static_cast<std::uint32_t>(table.size()), subBits, 0);
            table.resize(table.size() + (std::size_t{1} << subBits), 0);
        }
        const std::size_t sub = valueOf(table[prefix]);
        for (std::size_t i = reversed >> primaryBits; i < (std::size_t{1} << subBits); i += std::size_t{1} << (len - primaryBits))
            table[sub + i] = e;
    }
    return true;
}

}  // namespace

struct StreamInflater::Decoder {
    enum class State { BlockHeader, Stored, Huffman, Finished };

    // Input: the bytes in [in, inEnd), then whatever `source` still has.
    const std::uint8_t* in = nullptr;
    const std::uint8_t* inEnd = nullptr;
    InflateInput* source = nullptr;
    std::uint8_t* inputBuffer = nullptr;
    std::uint64_t bits = 0;
    unsigned bitCount = 0;  // valid bits in `bits`; those above may be the next input bytes

    State state = State::BlockHeader;
    bool lastBlock = false;
    std::size_t storedLeft = 0;
    std::vector<std::uint32_t> litLen;
    std::vector<std::uint32_t> dist;
    InflateStatus failure = InflateStatus::Damaged;

    bool pull() {
        if (!source) return false;
        const std::size_t n = source->read(inputBuffer, kInputBuffer);
        if (n == 0) {
            source = nullptr;
            return false;
        }
        in = inputBuffer;
        inEnd = inputBuffer + n;
        return true;
    }

    void refill() {
        while (bitCount <= 56) {
            if (in == inEnd && !pull()) return;
            if (inEnd - in >= 8) {
                std::uint64_t word;
                std::memcpy(&word, in, 8);
                bits |= word << bitCount;
                in += (63 - bitCount) >> 3;
                bitCount |= 56;
                return;
            }
            bits |= std::uint64_t{*in++} << bitCount;
            bitCount += 8;
        }
    }

    // Takes `n` bits (n <= 32, refilled before); false when the input ended first.
    bool take(unsigned n, std::uint32_t& value) {
        if (n > bitCount) return fail(InflateStatus::Truncated);
        value = static_cast<std::uint32_t>(bits & ((std::uint64_t{1} << n) - 1));
        bits >>= n;
        bitCount -= n;
        return true;
    }

    bool fail(InflateStatus why) {
        failure = why;
        return false;
    }

    // The next symbol's table entry, its code consumed; false on a bad or cut-off code.
    bool decode(const std::vector<std::uint32_t>& table, unsigned primaryBits, std::uint32_t& e) {
        e = table[bits & ((1u << primaryBits) - 1)];
        if (kindOf(e) == kLink)
            e = table[valueOf(e) + ((bits >> primaryBits) & ((1u << extraBits(e)) - 1))];
        const unsigned len = codeLength(e);
        if (len == 0) return fail(InflateStatus::Damaged);
        if (len > bitCount) return fail(InflateStatus::Truncated);
        bits >>= len;
        bitCount -= len;
        return true;
    }

    bool readBlockHeader() {
        refill();
        std::uint32_t header;
        if (!take(3, header)) return false;
        lastBlock = header & 1;
        switch (header >> 1) {
            case 0: return readStoredHeader();
            case 1: return useFixedCodes();
            case 2: return readDynamicCodes();
            default: return fail(InflateStatus::Damaged);
        }
    }

    bool readStoredHeader() {
        const unsigned skip = bitCount & 7;
        bits >>= skip;
        bitCount -= skip;
        refill();
        std::uint32_t len, nlen;
        if (!take(16, len) || !take(16, nlen)) return false;
        if ((len ^ 0xFFFF) != nlen) return fail(InflateStatus::Damaged);
        storedLeft = len;
        state = State::Stored;
        return true;
    }

    bool useFixedCodes() {
        std::array<std::uint8_t, 288 + 32> lengths;
        std::fill(lengths.begin(), lengths.begin() + 144, 8);
        std::fill(lengths.begin() + 144, lengths.begin() + 256, 9);
        std::fill(lengths.begin() + 256, lengths.begin() + 280, 7);
        std::fill(lengths.begin() + 280, lengths.begin() + 288, 8);
        std::fill(lengths.begin() + 288, lengths.end(), 5);
        buildTable(lengths.data(), 288, Alphabet::LitLen, kLitLenBits, litLen);
        buildTable(lengths.data() + 288, 32, Alphabet::Distance, kDistBits, dist);
        state = State::Huffman;
        return true;
    }

    bool readDynamicCodes() {
        refill();
        std::uint32_t hlit, hdist, hclen;
        if (!take(5, hlit) || !take(5, hdist) || !take(4, hclen)) return false;
        const unsigned litCount = hlit + 257, distCount = hdist + 1;
        if (litCount > 286 || distCount > 30) return fail(InflateStatus::Damaged);
        std::array<std::uint8_t, 19> codeLengthLengths{};
        for (unsigned i = 0; i < hclen + 4; ++i) {
            refill();
            std::uint32_t len;
            if (!take(3, len)) return false;
            codeLengthLengths[kCodeLengthOrder[i]] = static_cast<std::uint8_t>(len);
        }
        std::vector<std::uint32_t> codeLengthTable;
        if (!buildTable(codeLengthLengths.data(), 19, Alphabet::CodeLengths, 7, codeLengthTable))
            return fail(InflateStatus::Damaged);

        std::array<std::uint8_t, 286 + 30> lengths{};
        for (unsigned n = 0; n < litCount + distCount;) {
            refill();
            std::uint32_t e;
            if (!decode(codeLengthTable, 7, e)) return false;
            const std::uint32_t symbol = valueOf(e);
            if (symbol < 16) {
                lengths[n++] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            std::uint32_t repeat;
            std::uint8_t value = 0;
            if (symbol == 16) {
                if (n == 0) return fail(InflateStatus::Damaged);
                value = lengths[n - 1];
                if (!take(2, repeat)) return false;
                repeat += 3;
            } else if (symbol == 17) {
                if (!take(3, repeat)) return false;
                repeat += 3;
            } else {
                if (!take(7, repeat)) return false;
                repeat += 11;
            }
            if (n + repeat > litCount + distCount) return fail(InflateStatus::Damaged);
            std::fill_n(lengths.begin() + n, repeat, value);
            n += repeat;
        }
        if (lengths[256] == 0) return fail(InflateStatus::Damaged);  // no end of block
        if (!buildTable(lengths.data(), litCount, Alphabet::LitLen, kLitLenBits, litLen) ||
            !buildTable(lengths.data() + litCount, distCount, Alphabet::Distance, kDistBits, dist))
            return fail(InflateStatus::Damaged);
        state = State::Huffman;
        return true;
    }

    // Copies stored bytes to [out, outEnd); false on cut-off input.
    bool copyStored(std::uint8_t*& out, std::uint8_t* outEnd) {
        while (storedLeft > 0 && out < outEnd && bitCount >= 8) {
            *out++ = static_cast<std::uint8_t>(bits);
            bits >>= 8;
            bitCount -= 8;
            --storedLeft;
        }
        if (bitCount < 8) bits = 0;  // the bytes above were read ahead: take them from `in` again
        while (storedLeft > 0 && out < outEnd) {
            if (in == inEnd && !pull()) return fail(InflateStatus::Truncated);
            const std::size_t n = std::min({storedLeft, static_cast<std::size_t>(outEnd - out),
                                            static_cast<std::size_t>(inEnd - in)});
            std::memcpy(out, in, n);
            out += n;
            in += n;
            storedLeft -= n;
        }
        if (storedLeft == 0) state = lastBlock ? State::Finished : State::BlockHeader;
        return true;
    }

    // Decodes symbols into [out, outEnd) while `reserve` bytes stay free; `start` is where the
    // history begins. False on bad data, or (`tooMuch`) a symbol that does not fit. The hot
    // loop of every inflation, kept in one piece on purpose: the literal, length and distance
    // steps share the bit buffer and the output pointer, which one function keeps in registers
    // (bench/inflate_bench.cpp times it against zlib before any split).
    bool inflateSymbols(std::uint8_t* start, std::uint8_t*& out, std::uint8_t* outEnd, std::size_t reserve,
                        bool& tooMuch) {
        std::uint8_t* o = out;
        bool ok = true;
        while (static_cast<std::size_t>(outEnd - o) >= reserve) {
            refill();
            std::uint32_t e;
            if (!decode(litLen, kLitLenBits, e)) {
                ok = false;
                break;
            }
            if (kindOf(e) == kLiteral) {
                if (o == outEnd) {
                    tooMuch = true;
                    ok = false;
                    break;
                }
                *o++ = static_cast<std::uint8_t>(valueOf(e));
                continue;
            }
            if (kindOf(e) == kEnd) {
                if (valueOf(e) == kInvalidSymbol) {
                    ok = fail(InflateStatus::Damaged);
                    break;
                }
                state = lastBlock ? State::Finished : State::BlockHeader;
                break;
            }
            std::uint32_t extra, de, distExtra;
            if (!take(extraBits(e), extra) || !decode(dist, kDistBits, de)) {
                ok = false;
                break;
            }
            if (kindOf(de) != kBase) {
                ok = fail(InflateStatus::Damaged);
                break;
            }
            if (!take(extraBits(de), distExtra)) {
                ok = false;
                break;
            }
            const std::size_t length = valueOf(e) + extra;
            const std::size_t distance = valueOf(de) + distExtra;
            if (distance > static_cast<std::size_t>(o - start)) {
                ok = fail(InflateStatus::Damaged);
                break;
            }
            if (length > static_cast<std::size_t>(outEnd - o)) {
                tooMuch = true;
                ok = false;
                break;
            }
            const std::uint8_t* from = o - distance;
            std::uint8_t* const end = o + length;
            if (distance >= 8 && outEnd - end >= 8) {
                // Eight bytes at a time, overshooting into the free space after the match.
                do {
                    std::memcpy(o, from, 8);
                    o += 8;
                    from += 8;
                } while (o < end);
                o = end;
            } else {
                while (o < end) *o++ = *from++;
            }
        }
        out = o;
        return ok;
    }
};

InflateStatus inflateInto(const std::uint8_t* in, std::size_t inSize, std::uint8_t* out, std::size_t capacity,
                          std::size_t& produced) {
    StreamInflater::Decoder d;
    d.in = in;
    d.inEnd = in + inSize;
    std::uint8_t* o = out;
    std::uint8_t* const end = out + capacity;
    InflateStatus status = InflateStatus::End;
    while (d.state != StreamInflater::Decoder::State::Finished) {
        bool tooMuch = false;
        bool ok = true;
        switch (d.state) {
            case StreamInflater::Decoder::State::BlockHeader: ok = d.readBlockHeader(); break;
            case StreamInflater::Decoder::State::Stored:
                if (o == end && d.storedLeft > 0) tooMuch = true, ok = false;
                else ok = d.copyStored(o, end);
                break;
            case StreamInflater::Decoder::State::Huffman: ok = d.inflateSymbols(out, o, end, 0, tooMuch); break;
            case StreamInflater::Decoder::State::Finished: break;
        }
        if (!ok) {
            status = tooMuch ? InflateStatus::TooMuch : d.failure;
            break;
        }
    }
    produced = static_cast<std::size_t>(o - out);
    return status;
}

StreamInflater::StreamInflater(InflateInput& input)
    : input_(input),
      decoder_(std::make_unique<Decoder>()),
      window_(std::make_unique_for_overwrite<std::uint8_t[]>(kHistory + kWindowArea)),
      inputBuffer_(std::make_unique_for_overwrite<std::uint8_t[]>(kInputBuffer)) {
    decoder_->source = &input_;
    decoder_->inputBuffer = inputBuffer_.get();
}

StreamInflater::~StreamInflater() = default;

InflateStatus StreamInflater::read(std::uint8_t* out, std::size_t capacity, std::size_t& produced) {
    produced = 0;
    Decoder& d = *decoder_;
    std::uint8_t* const window = window_.get();
    std::uint8_t* const windowEnd = window + kHistory + kWindowArea;
    while (produced < capacity) {
        if (handedOut_ < inflated_) {
            const std::size_t n = std::min(capacity - produced, inflated_ - handedOut_);
            std::memcpy(out + produced, window + handedOut_, n);
            produced += n;
            handedOut_ += n;
            continue;
        }
        if (d.state == Decoder::State::Finished) return InflateStatus::End;
        if (inflated_ + kMaxMatch > kHistory + kWindowArea) {
            // Keep the last 32 KiB as history at the front.
            std::memmove(window, window + inflated_ - kHistory, kHistory);
            handedOut_ = inflated_ = kHistory;
        }
        std::uint8_t* o = window + inflated_;
        bool tooMuch = false;
        bool ok = true;
        switch (d.state) {
            case Decoder::State::BlockHeader: ok = d.readBlockHeader(); break;
            case Decoder::State::Stored: ok = d.copyStored(o, windowEnd); break;
            case Decoder::State::Huffman: ok = d.inflateSymbols(window, o, windowEnd, kMaxMatch, tooMuch); break;
            case Decoder::State::Finished: break;
        }
        inflated_ = static_cast<std::size_t>(o - window);
        if (!ok) return d.failure;
    }
    return handedOut_ == inflated_ && d.state == Decoder::State::Finished ? InflateStatus::End : InflateStatus::More;
}

}  // namespace zip
