// Index keys: the bytes that order a row in an index. Per index column a flag byte
// (ascending 0x7F, or 0x00 for null; descending 0x80 / 0xFF) and the encoded value:
// integers big-endian with the sign bit flipped, texts as "General" sort codes
// (case-insensitive; trailing blanks dropped; then 01 00). Descending columns invert the
// value's bytes. Keys compare as plain bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "jet/value.h"
#include "jet/write/table_definition.h"

namespace jet::write {

using IndexKey = std::vector<std::uint8_t>;

// The key of a row; `values` is indexed by column number. Throws JetError-free
// std::invalid_argument naming the column when a value cannot be encoded (text with
// letters outside the supported sort codes, a column type without key encoding).
IndexKey encodeIndexKey(const TableDefinition& table, const PhysicalIndex& index,
                        const std::vector<Value>& values);
// The same into `key`, whose storage is reused.
void encodeIndexKey(const TableDefinition& table, const PhysicalIndex& index,
                    const std::vector<Value>& values, IndexKey& key);

// The sort codes of a text under the "General" order, or nothing when a character is not
// one whose code the writer knows (letters A-Z, digits, blank, '_' and '.').
std::optional<std::vector<std::uint8_t>> generalTextKey(const std::string& utf8);

}  // namespace jet::write
