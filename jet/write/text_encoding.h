// UTF-8 -> UTF-16 for the texts the writer stores: column values, table, column and index
// names. Unlike a display conversion, bad UTF-8 is refused, since it would be stored for good.
// Stored text is read back by the reader's text codec (jet/text_codec.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace jet::write {

// Nothing when `text` is not well-formed UTF-8 (overlong forms and surrogates included).
std::optional<std::u16string> utf8ToUtf16Strict(std::string_view text);
// The same into `out` (its storage reused); false for bad UTF-8.
bool utf8ToUtf16Strict(std::string_view text, std::u16string& out);

// Decodes the code point at `i` and moves past it; false for anything but well-formed UTF-8
// (overlong forms and surrogates included).
inline bool nextUtf8CodePoint(std::string_view text, std::size_t& i, char32_t& code) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    if (lead < 0x80) {
        code = lead;
        ++i;
        return true;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        code = lead & 0x1F;
        extra = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        code = lead & 0x0F;
        extra = 2;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        code = lead & 0x07;
        extra = 3;
    } else {
        return false;
    }
    if (i + extra >= text.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
        const unsigned char c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) return false;
        code = (code << 6) | (c & 0x3F);
    }
    if ((extra == 2 && code < 0x800) || (extra == 3 && (code < 0x10000 || code > 0x10FFFF))) return false;
    if (code >= 0xD800 && code <= 0xDFFF) return false;
    i += extra + 1;
    return true;
}

// The number of UTF-16 code units of well-formed UTF-8, or nothing.
std::optional<std::size_t> utf16Length(std::string_view text);

}  // namespace jet::write
