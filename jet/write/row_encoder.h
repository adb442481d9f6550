// Builds a row's bytes from its values, for the table definition it goes into:
//   u16 column count · fixed area (each fixed column at 2 + its offset, all of it always
//   present) · variable data in slot order · u16 end of data · u16 slot offsets, last slot
//   first · u16 slot count · null mask (1 = value present; a yes/no column's bit is its
//   value). A table without variable columns stops after the fixed area and the mask.
// Texts in a column that allows compression are stored as FF FE plus one byte per character
// when every character is in U+0001..U+00FF, otherwise as UTF-16LE.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "jet/value.h"
#include "jet/write/table_definition.h"

namespace jet::write {

// `values` is indexed by column number; missing ones are null. The values must already
// suit their columns (see row_check.h); this only lays out bytes.
std::vector<std::uint8_t> encodeRow(const TableDefinition& table, const std::vector<Value>& values);

// The stored bytes of a text value in a column (compressed or UTF-16LE).
std::vector<std::uint8_t> encodeTextValue(const std::u16string& text, bool compressible);
// The same, appended to `out`.
void appendTextValue(std::vector<std::uint8_t>& out, const std::u16string& text, bool compressible);
// The same bytes straight from UTF-8, in one pass without a UTF-16 copy; false (and `out`
// as it was) when `utf8` is not well-formed.
bool appendStoredText(std::vector<std::uint8_t>& out, std::string_view utf8, bool compressible);

}  // namespace jet::write
