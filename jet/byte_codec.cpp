#include "jet/byte_codec.h"

#include "platform/decimal_piece.h"

namespace jet::codec_detail {

void overrun(std::size_t offset, std::size_t count, std::size_t size) {
    throwTruncated({"field of ", platform::DecimalPiece(count), " bytes at offset ", platform::DecimalPiece(offset), " runs past the end (",
                    platform::DecimalPiece(size), " bytes)"});
}

}  // namespace jet::codec_detail
