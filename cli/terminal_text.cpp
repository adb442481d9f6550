// UTF-8 sequences are checked by length, continuation bytes, overlong forms and surrogates.
#include "cli/terminal_text.h"

namespace cli {

namespace {

void appendEscaped(std::string& out, unsigned char byte) {
    static const char kHex[] = "0123456789abcdef";
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
}

// The length of the well-formed UTF-8 sequence at `at`, or 0.
std::size_t sequenceLength(std::string_view s, std::size_t at) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[at + i]); };
    const unsigned char lead = b(0);
    std::size_t length;
    unsigned min;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, min = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, min = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, min = 0x10000;
    else return 0;
    if (at + length > s.size()) return 0;
    unsigned code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((b(i) & 0xC0) != 0x80) return 0;
        code = code << 6 | (b(i) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    if (code >= 0x80 && code <= 0x9F) return 0;  // C1 controls
    return length;
}

}  // namespace

std::string escapedForTerminal(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte >= 0x20 && byte < 0x7F) {
            out += static_cast<char>(byte);
            ++at;
        } else if (const std::size_t length = byte >= 0x80 ? sequenceLength(bytes, at) : 0) {
            out.append(bytes.substr(at, length));
            at += length;
        } else {
            appendEscaped(out, byte);
            ++at;
        }
    }
    return out;
}

}  // namespace cli
