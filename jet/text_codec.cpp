// UTF-16LE / compressed Jet text <-> UTF-8.
#include "jet/text_codec.h"

namespace jet {

namespace {

void appendCodePoint(std::uint32_t cp, std::string& out) {
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

// Turns a stream of UTF-16 code units into UTF-8, pairing surrogates across calls.
class Utf16Sink {
public:
    explicit Utf16Sink(std::string& out) : out_(out) {}
    void unit(std::uint16_t u) {
        if (u < 0x80 && !pendingHigh_) {  // the common case, kept short
            out_ += static_cast<char>(u);
            return;
        }
        if (pendingHigh_) {
            std::uint16_t high = pendingHigh_;
            pendingHigh_ = 0;
            if (u >= 0xDC00 && u <= 0xDFFF) {
                appendCodePoint(0x10000 + ((std::uint32_t(high) - 0xD800) << 10) + (u - 0xDC00), out_);
                return;
            }
            appendCodePoint(0xFFFD, out_);
        }
        if (u >= 0xD800 && u <= 0xDBFF) {
            pendingHigh_ = u;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            appendCodePoint(0xFFFD, out_);
        } else {
            appendCodePoint(u, out_);
        }
    }
    // Characters below U+0080, appended as they are.
    void ascii(const char* text, std::size_t count) {
        if (pendingHigh_) {
            appendCodePoint(0xFFFD, out_);
            pendingHigh_ = 0;
        }
        out_.append(text, count);
    }
    void finish() {
        if (pendingHigh_) appendCodePoint(0xFFFD, out_);
        pendingHigh_ = 0;
    }

private:
    std::string& out_;
    std::uint16_t pendingHigh_ = 0;
};

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
    Utf16Sink sink(out);
    for (std::size_t i = 0; i + 1 < utf16.size(); i += 2)
        sink.unit(static_cast<std::uint16_t>(utf16[i] | (utf16[i + 1] << 8)));
    sink.finish();
}

void decodeJetText(Bytes stored, std::string& out) {
    out.clear();
    if (stored.size() < 2 || stored[0] != 0xFF || stored[1] != 0xFE) {
        appendUtf16LeAsUtf8(stored, out);
        return;
    }
    Utf16Sink sink(out);
    bool compressed = true;
    std::size_t i = 2;
    while (i < stored.size()) {
        if (stored[i] == 0) {
            compressed = !compressed;
            ++i;
        } else if (compressed) {
            // Runs of ASCII go across in one append; other bytes are Latin-1 characters.
            std::size_t run = i;
            while (run < stored.size() && stored[run] != 0 && stored[run] < 0x80) ++run;
            if (run > i) {
                sink.ascii(reinterpret_cast<const char*>(stored.data() + i), run - i);
                i = run;
            } else {
                sink.unit(stored[i]);
                ++i;
            }
        } else {
            if (i + 1 >= stored.size()) break;  // odd trailing byte
            sink.unit(static_cast<std::uint16_t>(stored[i] | (stored[i + 1] << 8)));
            i += 2;
        }
    }
    sink.finish();
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
