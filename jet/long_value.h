// Memo and OLE values: the 12-byte reference in the row and the three places the bytes can
// be — inline after the reference, in one LVAL row, or in a chain of LVAL rows. The chain is
// followed without visiting a row twice, and bytes are gathered only as they are found, so a
// damaged length cannot make it allocate more than the file holds.
#pragma once

#include <cstdint>
#include <vector>

#include "jet/page_file.h"

namespace jet {

constexpr std::size_t kLongValueReferenceSize = 12;
constexpr std::uint32_t kLongValueInline = 0x80000000u;
constexpr std::uint32_t kLongValueSingleRow = 0x40000000u;
constexpr std::uint32_t kLongValueChain = 0x00000000u;
constexpr std::uint32_t kLongValueLengthMask = 0x3FFFFFFFu;

// Reads the value that the in-row part `field` refers to into `out` (replaced).
// `rowPage` names the page of the row in messages. Throws JetError on damage.
void readLongValue(PageFile& file, Bytes field, std::uint32_t rowPage,
                   std::vector<std::uint8_t>& out);

}  // namespace jet
