// UTF-16LE / compressed Jet text <-> UTF-8.
#include "jet/text_codec.h"

#include <bit>
#include <cstring>

namespace jet {

namespace {

// Writes UTF-16 code units as UTF-8 straight into memory the caller sized (at most 3 bytes
// per unit: a pair takes 4 for 2 units, a lone surrogate the 3 of U+FFFD), pairing surrogates
// across calls. Text is decoded for every row of a scan, so this stays free of checks per byte.
class Utf8Writer {
public:
    explicit Utf8Writer(char* at) : p_(at) {}
    char* end() const { return p_; }

    [[gnu::always_inline]] void unit(std::uint32_t u) {
        if (u < 0x80 && !pendingHigh_) {
            *p_++ = static_cast<char>(u);
        } else if (u < 0x800 && !pendingHigh_) {
            p_[0] = static_cast<char>(0xC0 | (u >> 6));
            p_[1] = static_cast<char>(0x80 | (u & 0x3F));
            p_ += 2;
        } else {
            wide(u);
        }
    }
    // Four characters below U+0080, packed first to last from the low byte.
    void ascii4(std::uint32_t packed) {
        if (pendingHigh_) replacement();
        std::memcpy(p_, &packed, 4);
        p_ += 4;
    }
    // The first `count` of eight bytes, characters below U+0080; all eight are stored.
    void ascii8(std::uint64_t bytes, std::size_t count) {
        if (count == 0) return;
        if (pendingHigh_) replacement();
        std::memcpy(p_, &bytes, 8);
        p_ += count;
    }
    void finish() {
        if (pendingHigh_) replacement();
    }

private:
    void replacement() {
        pendingHigh_ = 0;
        three(0xFFFD);
    }
    void three(std::uint32_t cp) {
        p_[0] = static_cast<char>(0xE0 | (cp >> 12));
        p_[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        p_[2] = static_cast<char>(0x80 | (cp & 0x3F));
        p_ += 3;
    }
    [[gnu::noinline]] void wide(std::uint32_t u) {
        if (pendingHigh_) {
            std::uint32_t high = pendingHigh_;
            pendingHigh_ = 0;
            if (u >= 0xDC00 && u <= 0xDFFF) {
                std::uint32_t cp = 0x10000 + ((high - 0xD800) << 10) + (u - 0xDC00);
                p_[0] = static_cast<char>(0xF0 | (cp >> 18));
                p_[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
                p_[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                p_[3] = static_cast<char>(0x80 | (cp & 0x3F));
                p_ += 4;
                return;
            }
            three(0xFFFD);
            unit(u);
            return;
        }
        if (u >= 0xD800 && u <= 0xDBFF)
            pendingHigh_ = u;
        else if (u >= 0xDC00 && u <= 0xDFFF)
            three(0xFFFD);
        else
            three(u);
    }

    char* p_;
    std::uint32_t pendingHigh_ = 0;
};

// The top bit set in a byte outside 01..7F; exact up to the first such byte (the borrow of a
// 00 byte may mark those after it, which are not looked at).
std::uint64_t asciiRunStops(std::uint64_t bytes) {
    constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    return (bytes | (bytes - ones)) & highs;
}

// Plain UTF-16LE units from `data` (an odd trailing byte is left out). Four ASCII units at a
// time where they come in fours, which is most of the text in Polish too.
void writeUtf16Le(const std::uint8_t* data, std::size_t size, Utf8Writer& writer) {
    static_assert(std::endian::native == std::endian::little);
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t units;
        std::memcpy(&units, data + i, 8);
        if (units & 0xFF80FF80FF80FF80ull) {
            for (std::size_t k = i; k < i + 8; k += 2) writer.unit(data[k] | (std::uint32_t(data[k + 1]) << 8));
            continue;
        }
        writer.ascii4(static_cast<std::uint32_t>((units & 0xFF) | ((units >> 8) & 0xFF00) |
                                                 ((units >> 16) & 0xFF0000) | ((units >> 24) & 0xFF000000)));
    }
    for (; i + 1 < size; i += 2) writer.unit(data[i] | (std::uint32_t(data[i + 1]) << 8));
}

// Grows `out` by room for `units` UTF-16 units and returns where writing starts.
char* reserveUtf8(std::string& out, std::size_t units) {
    std::size_t at = out.size();
    out.resize(at + 3 * units);
    return out.data() + at;
}

// Decodes one code point of UTF-8 at `i`, advancing it; U+FFFD for a bad sequence.
std::uint32_t nextCodePoint(std::string_view s, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(s[k]); };
    std::uint8_t lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int extra = lead >= 0xF5 ? -1 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (extra < 0 || i + extra >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    std::uint32_t cp = lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        std::uint8_t c = byte(i + k);
        if ((c & 0xC0) != 0x80) {
            i += k;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += extra + 1;
    static const std::uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
    return cp;
}

}  // namespace

void appendUtf16LeAsUtf8(Bytes utf16, std::string& out) {
    Utf8Writer writer(reserveUtf8(out, utf16.size() / 2));
    writeUtf16Le(utf16.data(), utf16.size(), writer);
    writer.finish();
    out.resize(static_cast<std::size_t>(writer.end() - out.data()));
}

void decodeJetText(Bytes stored, std::string& out) {
    out.clear();
    if (stored.size() < 2 || stored[0] != 0xFF || stored[1] != 0xFE) {
        appendUtf16LeAsUtf8(stored, out);
        return;
    }
    // Leading ASCII (all of the text for codes and names without diacritics) is copied as it is.
    const std::uint8_t* data = stored.data();
    const std::size_t size = stored.size();
    std::size_t i = 2;
    while (i < size && data[i] - 1u < 0x7Fu) ++i;
    if (i == size) {
        out.assign(reinterpret_cast<const char*>(data) + 2, size - 2);
        return;
    }
    // A compressed byte becomes at most 2 UTF-8 bytes, an uncompressed pair at most 3; 8 more
    // for the last copy of an ASCII run.
    out.resize(2 * size + 8);
    std::memcpy(out.data(), data + 2, i - 2);
    Utf8Writer writer(out.data() + (i - 2));
    bool compressed = true;
    while (i < size) {
        if (data[i] == 0) {
            compressed = !compressed;
            ++i;
        } else if (compressed) {
            // ASCII up to the next toggle or Latin-1 byte, eight bytes at a time (each copy
            // writes all eight; `out` has room beyond what a run ends with). Then one byte:
            // a Latin-1 character, or ASCII in the last few bytes.
            for (std::uint64_t bytes; i + 8 <= size;) {
                std::memcpy(&bytes, data + i, 8);
                std::uint64_t stops = asciiRunStops(bytes);
                std::size_t count = stops ? std::countr_zero(stops) / 8 : 8;
                writer.ascii8(bytes, count);
                i += count;
                if (count < 8) break;
            }
            if (i < size && data[i] != 0) writer.unit(data[i++]);
        } else {
            // Units up to the next 00 byte, where the mode switches back: in Polish text
            // mostly a single letter outside Latin-1.
            for (; i + 1 < size && data[i] != 0; i += 2) writer.unit(data[i] | (std::uint32_t(data[i + 1]) << 8));
            if (i + 1 == size && data[i] != 0) break;  // odd trailing byte
        }
    }
    writer.finish();
    out.resize(static_cast<std::size_t>(writer.end() - out.data()));
}

std::string decodeJetText(Bytes stored) {
    std::string out;
    decodeJetText(stored, out);
    return out;
}

std::vector<std::uint8_t> encodeUtf16Le(std::string_view utf8) {
    std::vector<std::uint8_t> out;
    out.reserve(utf8.size() * 2);
    for (std::size_t i = 0; i < utf8.size();) {
        std::uint32_t cp = nextCodePoint(utf8, i);
        auto put = [&](std::uint32_t unit) {
            out.push_back(static_cast<std::uint8_t>(unit));
            out.push_back(static_cast<std::uint8_t>(unit >> 8));
        };
        if (cp >= 0x10000) {
            put(0xD800 + ((cp - 0x10000) >> 10));
            put(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            put(cp);
        }
    }
    return out;
}

std::size_t utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < utf8.size();) units += nextCodePoint(utf8, i) >= 0x10000 ? 2 : 1;
    return units;
}

std::vector<std::uint8_t> encodeJetText(std::string_view utf8, bool compressionAllowed) {
    std::vector<std::uint8_t> plain = encodeUtf16Le(utf8);
    std::size_t characters = plain.size() / 2;
    if (!compressionAllowed || characters < 3 || characters > 1024) return plain;
    std::vector<std::uint8_t> compressed = {0xFF, 0xFE};
    for (std::size_t i = 0; i < plain.size(); i += 2) {
        if (plain[i + 1] != 0 || plain[i] == 0) return plain;
        compressed.push_back(plain[i]);
    }
    return compressed;
}

}  // namespace jet
