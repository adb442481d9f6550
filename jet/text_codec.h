// Jet 4 text: UTF-16LE, or the "Unicode compression" form (FF FE, then runs of one byte per
// character toggled by 00 bytes with runs of UTF-16LE). Converts to and from UTF-8, which is
// what the rest of the program holds. Invalid UTF-16 (lone surrogates) becomes U+FFFD.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "jet/byte_codec.h"

namespace jet {

// Appends UTF-16LE code units as UTF-8; an odd trailing byte is dropped.
void appendUtf16LeAsUtf8(Bytes utf16, std::string& out);

// A stored Text value or Memo value's bytes, compressed or not, as UTF-8.
std::string decodeJetText(Bytes stored);
void decodeJetText(Bytes stored, std::string& out);  // replaces `out`

// UTF-8 to UTF-16LE bytes; invalid UTF-8 sequences become U+FFFD.
std::vector<std::uint8_t> encodeUtf16Le(std::string_view utf8);

// Number of UTF-16 code units the text takes (what Jet's text sizes count).
std::size_t utf16Length(std::string_view utf8);

// The stored form Access would write: compressed when allowed and every character is in
// U+0001..U+00FF and there are 3..1024 of them, else plain UTF-16LE.
std::vector<std::uint8_t> encodeJetText(std::string_view utf8, bool compressionAllowed);

}  // namespace jet
