// Encoding detection and Windows-1250 decoding for CSV import.
#include "catalog/csv_encoding.h"

#include <cstdint>
#include <vector>

namespace catalog {

namespace {

// Windows-1250 bytes 0x80-0xFF as Unicode code points; 0 where the code page defines none.
constexpr std::uint16_t kHigh[128] = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

void appendUtf8(std::uint32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::string_view encodingName(CsvEncoding encoding) {
    return encoding == CsvEncoding::Utf8 ? "UTF-8" : "Windows-1250";
}

void EncodingDetector::feed(std::string_view bytes) {
    static constexpr unsigned char kBom[] = {0xEF, 0xBB, 0xBF};
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (seen_ < 3) bom_ = (seen_ == 0 || bom_) && byte == kBom[seen_];
        ++seen_;
        if (byte >= 0x80 && kHigh[byte - 0x80] == 0) valid1250_ = false;
        if (!validUtf8_) continue;
        if (pending_ == 0) {
            lead_ = byte;
            position_ = 1;
            if (byte < 0x80) pending_ = 0;
            else if (byte >= 0xC2 && byte <= 0xDF) pending_ = 1;
            else if (byte >= 0xE0 && byte <= 0xEF) pending_ = 2;
            else if (byte >= 0xF0 && byte <= 0xF4) pending_ = 3;
            else validUtf8_ = false;
            continue;
        }
        // The second byte's range depends on the lead (no overlong forms, no surrogates,
        // nothing above U+10FFFF); later ones are plain continuation bytes.
        unsigned char low = 0x80, high = 0xBF;
        if (position_ == 1) {
            if (lead_ == 0xE0) low = 0xA0;
            else if (lead_ == 0xED) high = 0x9F;
            else if (lead_ == 0xF0) low = 0x90;
            else if (lead_ == 0xF4) high = 0x8F;
        }
        if (byte < low || byte > high) {
            validUtf8_ = false;
            continue;
        }
        ++position_;
        --pending_;
    }
}

CsvEncoding EncodingDetector::result() const {
    if (hasByteOrderMark() || (validUtf8_ && pending_ == 0) || !valid1250_) return CsvEncoding::Utf8;
    return CsvEncoding::Windows1250;
}

bool appendWindows1250(unsigned char byte, std::string& out) {
    if (byte < 0x80) {
        out += static_cast<char>(byte);
        return true;
    }
    const std::uint16_t code = kHigh[byte - 0x80];
    if (code == 0) {
        out += static_cast<char>(byte);
        return false;
    }
    appendUtf8(code, out);
    return true;
}

CsvSource windows1250Source(CsvSource raw) {
    // Each byte becomes at most three: a third of the room is read at a time.
    return [raw = std::move(raw), in = std::vector<char>(), out = std::string()](char* buffer,
                                                                                 std::size_t capacity) mutable {
        const std::size_t want = capacity / 3 == 0 ? 1 : capacity / 3;
        if (out.empty()) {
            in.resize(want);
            const std::size_t got = raw(in.data(), want);
            for (std::size_t i = 0; i < got; ++i) appendWindows1250(static_cast<unsigned char>(in[i]), out);
        }
        const std::size_t n = out.size() < capacity ? out.size() : capacity;
        out.copy(buffer, n);
        out.erase(0, n);
        return n;
    };
}

}  // namespace catalog
