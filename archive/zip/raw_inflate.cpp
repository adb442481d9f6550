// zlib takes 32-bit counts; callers keep their buffers below that.
#include "archive/zip/raw_inflate.h"

#include <stdexcept>
#include <zlib.h>

namespace zip {

struct RawInflater::State {
    z_stream stream{};
};

RawInflater::RawInflater() : state_(std::make_unique<State>()) {
    if (inflateInit2(&state_->stream, -MAX_WBITS) != Z_OK) throw std::bad_alloc();
}

RawInflater::~RawInflater() { inflateEnd(&state_->stream); }

void RawInflater::setInput(const char* data, std::size_t count) {
    state_->stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    state_->stream.avail_in = static_cast<uInt>(count);
}

std::size_t RawInflater::inputLeft() const { return state_->stream.avail_in; }

RawInflater::Status RawInflater::inflate(char* out, std::size_t capacity, std::size_t& produced) {
    z_stream& s = state_->stream;
    s.next_out = reinterpret_cast<Bytef*>(out);
    s.avail_out = static_cast<uInt>(capacity);
    const int rc = ::inflate(&s, Z_NO_FLUSH);
    produced = capacity - s.avail_out;
    switch (rc) {
        case Z_STREAM_END: return Status::StreamEnd;
        case Z_OK: return s.avail_out == 0 ? Status::OutputFull : Status::NeedInput;
        case Z_BUF_ERROR: return s.avail_in == 0 ? Status::NeedInput : Status::OutputFull;
        case Z_MEM_ERROR: throw std::bad_alloc();
        default: return Status::DataError;
    }
}

}  // namespace zip
