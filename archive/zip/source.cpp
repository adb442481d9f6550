// Memory and region sources.
#include "archive/zip/source.h"

#include <algorithm>
#include <cstring>

namespace zip {

bool readWhole(const Source& source, std::uint64_t offset, void* buffer, std::size_t count) {
    auto* at = static_cast<char*>(buffer);
    std::size_t got = 0;
    while (got < count) {
        const std::size_t n = source.readAt(offset + got, at + got, count - got);
        if (n == 0) break;
        got += n;
    }
    return got == count;
}

Source memorySource(std::string_view bytes) {
    Source source;
    source.size = bytes.size();
    source.readAt = [bytes](std::uint64_t offset, void* buffer, std::size_t count) -> std::size_t {
        if (offset >= bytes.size()) return 0;
        const std::size_t n = std::min<std::uint64_t>(count, bytes.size() - offset);
        std::memcpy(buffer, bytes.data() + offset, n);
        return n;
    };
    return source;
}

Source regionSource(Source whole, std::uint64_t offset, std::uint64_t length) {
    Source source;
    offset = std::min(offset, whole.size);
    length = std::min(length, whole.size - offset);
    source.size = length;
    source.readAt = [whole = std::move(whole), offset, length](std::uint64_t at, void* buffer,
                                                               std::size_t count) -> std::size_t {
        if (at >= length) return 0;
        const std::size_t n = std::min<std::uint64_t>(count, length - at);
        return whole.readAt(offset + at, buffer, n);
    };
    return source;
}

}  // namespace zip
