#include "jet/byte_codec.h"

#include "jet/digits.h"

namespace jet::codec_detail {

void overrun(std::size_t offset, std::size_t count, std::size_t size) {
    throwTruncated({"field of ", Digits(count), " bytes at offset ", Digits(offset), " runs past the end (",
                    Digits(size), " bytes)"});
}

}  // namespace jet::codec_detail
