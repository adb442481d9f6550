// Helpers that build, damage and read back archives in memory for the reader's tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "archive/zip/source.h"
#include "archive/zip/zip_error.h"
#include "archive/zip/zip_reader.h"

namespace ziptest {

inline void patchU16(std::string& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

inline void patchU32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
}

inline void patchU64(std::string& bytes, std::size_t at, std::uint64_t value) {
    for (int k = 0; k < 8; ++k) bytes[at + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
}

inline std::uint32_t readU32(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(bytes[at + k]);
    return v;
}

// Deterministic bytes that deflate cannot shrink.
inline std::string noise(std::size_t size, std::uint32_t seed = 1) {
    std::string out(size, '\0');
    std::uint32_t x = seed * 2654435761u + 1;
    for (auto& c : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x & 0xFF);
    }
    return out;
}

// Offset of the central-directory entry of member `k` (our writer's entries have no extras).
inline std::size_t centralEntryOffset(const std::string& zip, std::size_t k) {
    std::size_t at = zip.rfind(std::string("PK\x05\x06", 4));
    at = readU32(zip, at + 16);
    for (std::size_t i = 0; i < k; ++i) {
        const std::size_t nameLength = static_cast<unsigned char>(zip[at + 28]) | (static_cast<unsigned char>(zip[at + 29]) << 8);
        at += 46 + nameLength;
    }
    return at;
}

// Member `index` inflated whole; `largestChunk`, when given, the largest piece handed out.
inline std::string extractAll(const zip::ZipReader& reader, std::size_t index, std::size_t* largestChunk = nullptr) {
    std::string out;
    reader.extract(index, [&](const char* data, std::size_t count) {
        out.append(data, count);
        if (largestChunk && count > *largestChunk) *largestChunk = count;
    });
    return out;
}

// Where a damaged archive must be refused: opening it, checking member 0, or extracting it.
enum class RefusedWhen { Open, Check, Extract };

// The damaged archive `bytes` is refused with `fault` at that step and no earlier; past the
// opening the error names member 0, "A.txt".
inline void expectRefused(const std::string& bytes, zip::Fault fault, RefusedWhen when) {
    try {
        zip::ZipReader reader(zip::memorySource(bytes));
        if (when == RefusedWhen::Open) FAIL() << "opened";
        if (when == RefusedWhen::Check) {
            EXPECT_THROW(reader.checkMember(0), zip::ZipError);
        } else {
            reader.checkAllMembers();
        }
        extractAll(reader, 0);
        FAIL() << "extracted";
    } catch (const zip::ZipError& error) {
        EXPECT_EQ(error.fault(), fault) << error.what();
        if (when != RefusedWhen::Open) {
            EXPECT_EQ(error.member(), "A.txt");
        }
    }
}

}  // namespace ziptest
