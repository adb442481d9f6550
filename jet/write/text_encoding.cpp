// Strict UTF-8 decoding.
#include "jet/write/text_encoding.h"

#include <cstdint>
#include <bit>
#include <cstring>

namespace jet::write {


bool utf8ToUtf16Strict(std::string_view text, std::u16string& out) {
    // Never more UTF-16 units than UTF-8 bytes: write through a pointer, trim at the end.
    out.resize(text.size());
    char16_t* to = out.data();
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            *to++ = static_cast<char16_t>(text[i++]);
            continue;
        }
        char32_t code = 0;
        if (!nextUtf8CodePoint(text, i, code)) return false;
        if (code >= 0x10000) {
            code -= 0x10000;
            *to++ = static_cast<char16_t>(0xD800 + (code >> 10));
            *to++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            *to++ = static_cast<char16_t>(code);
        }
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
    return true;
}

std::optional<std::u16string> utf8ToUtf16Strict(std::string_view text) {
    std::u16string out;
    if (!utf8ToUtf16Strict(text, out)) return std::nullopt;
    return out;
}

// utf16Length finds the first non-ASCII byte of a word by its lowest set bit.
static_assert(std::endian::native == std::endian::little, "the writer runs on little-endian machines");

std::optional<std::size_t> utf16Length(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t units = 0;
    for (std::size_t i = 0; i < n;) {
        // Eight ASCII bytes at a time: one unit each.
        if (i + 8 <= n) {
            std::uint64_t word = 0;
            std::memcpy(&word, p + i, 8);
            const std::uint64_t high = word & 0x8080808080808080ull;
            // The ASCII bytes before the first other one (little-endian: the lowest bytes).
            const std::size_t ascii = high == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(high)) / 8;
            i += ascii;
            units += ascii;
            if (ascii == 8 || i >= n) continue;
        }
        const unsigned char lead = p[i];
        if (lead < 0x80) {
            ++i;
            ++units;
            continue;
        }
        // Two bytes (Polish and other Latin letters): any continuation byte makes a valid one.
        if (lead >= 0xC2 && lead <= 0xDF) {
            if (i + 1 >= n || (p[i + 1] & 0xC0) != 0x80) return std::nullopt;
            i += 2;
            ++units;
            continue;
        }
        char32_t code = 0;
        if (!nextUtf8CodePoint(text, i, code)) return std::nullopt;
        units += code >= 0x10000 ? 2 : 1;
    }
    return units;
}

}  // namespace jet::write
