// The seam for inflating a whole raw deflate stream held in memory into a buffer of the
// size the directory announces: libdeflate where the build has it (libdeflate/, about twice
// zlib's speed), our own inflater otherwise (portable/: the Windows builds, which have no
// libdeflate).
#pragma once

#include <cstddef>

namespace zip {

enum class WholeInflate {
    Done,         // the stream ended; `produced` bytes were written
    TooMuchData,  // the stream holds more than `capacity` bytes
    DataError,    // damaged, or the input ends before the stream does
};

WholeInflate inflateWhole(const char* in, std::size_t inSize, char* out, std::size_t capacity, std::size_t& produced);

}  // namespace zip
