// Our own raw deflate decoder (RFC 1951), as ZIP's deflate members are stored: a fraction of
// zlib's size in the installer stub, at about its speed. It pulls its input, so a stream cut
// into pieces anywhere needs no resumable state below the symbol.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zip {

enum class InflateStatus {
    More,       // `produced` bytes written; the stream goes on
    End,        // the stream ended (the last bytes, if any, are in `produced`)
    TooMuch,    // inflateInto only: the stream holds more than the buffer
    Truncated,  // the input ended before the stream did
    Damaged,    // not a valid deflate stream
};

// Reads up to `capacity` bytes of compressed input into `buffer`; 0 when there is no more.
class InflateInput {
public:
    virtual ~InflateInput() = default;
    virtual std::size_t read(std::uint8_t* buffer, std::size_t capacity) = 0;
};

// Inflates a whole stream held in memory into `out`, which must hold all of it.
InflateStatus inflateInto(const std::uint8_t* in, std::size_t inSize, std::uint8_t* out, std::size_t capacity,
                          std::size_t& produced);

// Inflates a stream of any length piece by piece, keeping its last 32 KiB for back-references.
class StreamInflater {
public:
    explicit StreamInflater(InflateInput& input);
    ~StreamInflater();
    StreamInflater(const StreamInflater&) = delete;
    StreamInflater& operator=(const StreamInflater&) = delete;

    // Writes up to `capacity` bytes (`produced`); More until the stream ends.
    InflateStatus read(std::uint8_t* out, std::size_t capacity, std::size_t& produced);

    struct Decoder;

private:
    InflateInput& input_;
    std::unique_ptr<Decoder> decoder_;
    std::unique_ptr<std::uint8_t[]> window_;  // history, then freshly inflated bytes
    std::size_t handedOut_ = 0;               // window_ bytes already given to the caller
    std::size_t inflated_ = 0;                // window_ bytes inflated so far
    std::unique_ptr<std::uint8_t[]> inputBuffer_;
};

}  // namespace zip
