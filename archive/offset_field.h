// The 20-character offset field at the end of an installer: the archive's file offset in
// decimal, right-aligned with spaces. Parsing follows the installer's rules exactly; formatting
// is pakiet build's side of the same format.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace archive {

inline constexpr std::size_t kOffsetFieldSize = 20;

// Leading spaces, then an optional sign and digits up to the end of the text: decimal, or
// hexadecimal after "$", "x", "X", "0x" or "0X". Leading zeros are fine. Anything after the
// last digit, an empty or all-space text, a non-ASCII byte or a value outside the signed
// 64-bit range gives no value.
std::optional<std::int64_t> parseOffsetField(std::string_view text);

// The offset right-aligned in 20 characters. Throws std::invalid_argument for a negative
// offset.
std::string formatOffsetField(std::int64_t offset);

}  // namespace archive
