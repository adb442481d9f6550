// SOI, then segments (marker, big-endian length) up to EOI; after SOS the entropy-coded data
// runs to the next marker that is neither a stuffed 0xFF00 nor a restart marker.
#include "toolkit/jpeg_layout.h"

#include <cstddef>

namespace toolkit {

namespace {

int byteAt(std::string_view bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }

int u16At(std::string_view bytes, std::size_t at) { return byteAt(bytes, at) << 8 | byteAt(bytes, at + 1); }

bool isFrameHeader(int marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool standsAlone(int marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

// The position of the marker's 0xFF that ends the entropy-coded data from `at`, or npos.
std::size_t endOfScan(std::string_view bytes, std::size_t at) {
    for (std::size_t i = at; i + 1 < bytes.size(); ++i) {
        if (byteAt(bytes, i) != 0xFF) continue;
        const int next = byteAt(bytes, i + 1);
        if (next != 0x00 && next != 0xFF && !(next >= 0xD0 && next <= 0xD7)) return i;
    }
    return std::string_view::npos;
}

}  // namespace

JpegLayout readJpegLayout(std::string_view bytes) {
    JpegLayout layout;
    if (bytes.size() < 2 || byteAt(bytes, 0) != 0xFF || byteAt(bytes, 1) != 0xD8) return layout;
    layout.startsAsJpeg = true;
    std::size_t at = 2;
    while (at < bytes.size()) {
        if (byteAt(bytes, at) != 0xFF) return layout;  // no marker where one must be
        while (at < bytes.size() && byteAt(bytes, at) == 0xFF) ++at;  // fill bytes
        if (at >= bytes.size()) return layout;
        const int marker = byteAt(bytes, at++);
        if (marker == 0xD9) {
            layout.complete = true;
            return layout;
        }
        if (standsAlone(marker)) continue;
        if (at + 2 > bytes.size()) return layout;
        const std::size_t length = static_cast<std::size_t>(u16At(bytes, at));
        if (length < 2 || at + length > bytes.size()) return layout;
        if (isFrameHeader(marker) && !layout.hasFrame && length >= 7) {
            layout.hasFrame = true;
            layout.height = u16At(bytes, at + 3);
            layout.width = u16At(bytes, at + 5);
        }
        at += length;
        if (marker == 0xDA) {
            at = endOfScan(bytes, at);
            if (at == std::string_view::npos) return layout;
        }
    }
    return layout;
}

}  // namespace toolkit
