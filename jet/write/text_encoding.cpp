// Strict UTF-8 decoding and UTF-16 to UTF-8 encoding.
#include "jet/write/text_encoding.h"

namespace jet::write {

std::optional<std::u16string> utf8ToUtf16Strict(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        char32_t code = 0;
        std::size_t extra = 0;
        if (lead < 0x80) {
            code = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            code = lead & 0x1F;
            extra = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            code = lead & 0x0F;
            extra = 2;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            code = lead & 0x07;
            extra = 3;
        } else {
            return std::nullopt;
        }
        if (i + extra >= text.size() && extra > 0) return std::nullopt;
        for (std::size_t k = 1; k <= extra; ++k) {
            const unsigned char c = static_cast<unsigned char>(text[i + k]);
            if ((c & 0xC0) != 0x80) return std::nullopt;
            code = (code << 6) | (c & 0x3F);
        }
        if ((extra == 2 && code < 0x800) || (extra == 3 && (code < 0x10000 || code > 0x10FFFF)))
            return std::nullopt;
        if (code >= 0xD800 && code <= 0xDFFF) return std::nullopt;
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
        i += extra + 1;
    }
    return out;
}

std::optional<std::size_t> utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++units;
            ++i;
            continue;
        }
        // Rare: let the full decoder judge the rest.
        const auto rest = utf8ToUtf16Strict(text.substr(i));
        if (!rest) return std::nullopt;
        return units + rest->size();
    }
    return units;
}

}  // namespace jet::write
