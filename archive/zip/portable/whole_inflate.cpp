// The builds without libdeflate inflate a whole stream with the same inflater that streams the
// large members.
#include "archive/zip/whole_inflate.h"

#include <cstdint>

#include "archive/zip/inflater.h"

namespace zip {

WholeInflate inflateWhole(const char* in, std::size_t inSize, char* out, std::size_t capacity, std::size_t& produced) {
    switch (inflateInto(reinterpret_cast<const std::uint8_t*>(in), inSize, reinterpret_cast<std::uint8_t*>(out),
                        capacity, produced)) {
        case InflateStatus::End: return WholeInflate::Done;
        case InflateStatus::TooMuch: return WholeInflate::TooMuchData;
        default: return WholeInflate::DataError;
    }
}

}  // namespace zip
