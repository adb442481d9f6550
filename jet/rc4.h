// The RC4 key stream, which Jet uses to mask part of the header page (and, in "encoded"
// databases, every page). XORing with it both masks and unmasks.
#pragma once

#include <cstdint>
#include <span>

namespace jet {

void rc4Xor(std::span<const std::uint8_t> key, std::span<std::uint8_t> data);

}  // namespace jet
