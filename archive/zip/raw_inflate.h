// RAII over zlib's raw inflate (window bits -15, no zlib or gzip wrapper), as ZIP's deflate
// members are stored.
#pragma once

#include <cstddef>
#include <memory>

namespace zip {

class RawInflater {
public:
    RawInflater();
    ~RawInflater();
    RawInflater(const RawInflater&) = delete;
    RawInflater& operator=(const RawInflater&) = delete;

    enum class Status { NeedInput, OutputFull, StreamEnd, DataError };

    void setInput(const char* data, std::size_t count);
    std::size_t inputLeft() const;
    // Inflates into `out` (up to `capacity` bytes); `produced` gets the bytes written.
    Status inflate(char* out, std::size_t capacity, std::size_t& produced);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace zip
