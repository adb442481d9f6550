// One decompressor per thread for libdeflate: it holds no state between streams, and
// allocating it per member would cost more than a small member's inflation.
#include "archive/zip/whole_inflate.h"

#include <libdeflate.h>

#include <memory>
#include <new>

namespace zip {

namespace {

struct FreeDecompressor {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

libdeflate_decompressor& decompressor() {
    thread_local std::unique_ptr<libdeflate_decompressor, FreeDecompressor> d(libdeflate_alloc_decompressor());
    if (!d) throw std::bad_alloc();
    return *d;
}

}  // namespace

WholeInflate inflateWhole(const char* in, std::size_t inSize, char* out, std::size_t capacity, std::size_t& produced) {
    produced = 0;
    switch (libdeflate_deflate_decompress_ex(&decompressor(), in, inSize, out, capacity, nullptr, &produced)) {
        case LIBDEFLATE_SUCCESS: return WholeInflate::Done;
        case LIBDEFLATE_INSUFFICIENT_SPACE: return WholeInflate::TooMuchData;
        default: return WholeInflate::DataError;
    }
}

}  // namespace zip
