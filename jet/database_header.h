// Page 0 of a Jet file: which engine wrote it, and the few header fields a reader needs.
// Only Jet 4 (Access 2000 and 2002/2003) is accepted; Jet 3, the later engines and files
// whose pages are encrypted are refused with a message saying which it is.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "jet/byte_codec.h"

namespace jet {

constexpr std::size_t kPageSize = 4096;

struct DatabaseHeader {
    std::uint16_t codePage = 0;     // Windows ANSI code page of the locale (informational)
    std::uint16_t sortOrder = 0;    // collation LCID, 1033 "General"
    std::uint32_t encodingKey = 0;  // 0 = pages stored plain
    double creationDate = 0;        // days since 1899-12-30
};

// The masked region of page 0 and its key.
constexpr std::size_t kHeaderMaskOffset = 0x18;
constexpr std::size_t kHeaderMaskLength = 128;
constexpr std::array<std::uint8_t, 4> kHeaderMaskKey = {0xC7, 0xDA, 0x39, 0x6B};

// Checks the engine and reads the header from page 0 (at least kPageSize bytes).
// Throws JetError naming `fileName` when the file is not a readable Jet 4 database.
DatabaseHeader readDatabaseHeader(Bytes page0, const std::string& fileName);

// XORs the header mask over page 0's masked region (masking and unmasking are the same).
void toggleHeaderMask(MutableBytes page0);

}  // namespace jet
