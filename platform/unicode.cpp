// UTF-8 decoding and encoding by hand, so that every platform converts alike. Each maximal
// ill-formed subsequence (a stray byte, a truncated or overlong sequence, an encoded
// surrogate, a value above U+10FFFF) and each unpaired surrogate becomes one U+FFFD.
#include "platform/unicode.h"

namespace platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code point at `pos` and moves `pos` past it.
char32_t decodeAt(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t value = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        ++pos;
        return kReplacement;
    }
    ++pos;
    for (std::size_t i = 1; i < length; ++i) {
        if (pos >= text.size()) return kReplacement;
        const unsigned char next = byte(pos);
        const unsigned char min = i == 1 ? low : 0x80;
        const unsigned char max = i == 1 ? high : 0xBF;
        if (next < min || next > max) return kReplacement;  // `next` starts the next character
        value = (value << 6) | (next & 0x3F);
        ++pos;
    }
    return value;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u32string utf8ToUtf32(std::string_view text) {
    std::u32string result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) result += decodeAt(text, pos);
    return result;
}

std::u16string utf8ToUtf16(std::string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t cp = decodeAt(text, pos);
        if (cp < 0x10000) {
            result += static_cast<char16_t>(cp);
        } else {
            result += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            result += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    return result;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            const char32_t cp = 0x10000 + ((char32_t(unit) - 0xD800) << 10) +
                                (char32_t(text[i + 1]) - 0xDC00);
            appendUtf8(result, cp);
            ++i;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            appendUtf8(result, kReplacement);
        } else {
            appendUtf8(result, unit);
        }
    }
    return result;
}

}  // namespace platform

namespace platform {

std::string utf32ToUtf8(std::u32string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char32_t cp : text) appendUtf8(result, cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000) ? kReplacement : cp);
    return result;
}

}  // namespace platform
