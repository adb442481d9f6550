// Where an archive's bytes come from: a size and a read callback at 64-bit offsets, so the
// same reader reads a file, a region of an executable or a buffer in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace zip {

struct Source {
    std::uint64_t size = 0;
    // Reads up to `count` bytes at `offset`; returns how many were read (fewer only at the
    // end). May throw; the reader lets such errors pass to its caller.
    std::function<std::size_t(std::uint64_t offset, void* buffer, std::size_t count)> readAt;
};

// Reads `count` bytes at `offset`, going on after short reads; false when the source ends first.
bool readWhole(const Source& source, std::uint64_t offset, void* buffer, std::size_t count);

// A source over bytes in memory; the bytes must outlive the source.
Source memorySource(std::string_view bytes);

// The bytes [offset, offset + length) of another source, seen as a source of their own.
Source regionSource(Source whole, std::uint64_t offset, std::uint64_t length);

}  // namespace zip
