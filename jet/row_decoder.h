// Turns the bytes of one table row into typed values, one per column in column-number order:
// the column count, fixed area, variable-offset table and null mask of a Jet 4 row, yes/no
// values from the null mask, and memo/OLE values fetched from their long-value rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/page_file.h"
#include "jet/table_definition.h"
#include "jet/value.h"

namespace jet {

class RowDecoder {
public:
    RowDecoder(PageFile& file, const TableDefinition& table);

    // start() reads a row's layout (column count, null mask, variable-offset table);
    // decodeColumn() then decodes one value by its place in the table's columns, so a reader
    // of a few columns does not pay for the rest. The row's bytes must stay alive until the
    // next start(); `page` and `row` name the row in messages. Both throw JetError when the row
    // is damaged.
    void start(Bytes rowBytes, std::uint32_t page, unsigned row);
    void decodeColumn(std::size_t column, Value& value);

private:
    struct Row {
        Bytes bytes;
        std::uint32_t page = 0;
        unsigned number = 0;
        std::uint16_t storedColumns = 0;
        Bytes mask;
        std::size_t varCount = 0;
        std::size_t trailerStart = 0;
        std::size_t varAreaEnd = 0;
        bool present(std::uint16_t columnNumber) const;
    };

    void decodeField(const Column& column, Bytes field, std::uint32_t page, Value& value);
    [[noreturn]] void damaged(const TruncatedData& error) const;

    PageFile& file_;
    const TableDefinition& table_;
    std::vector<std::uint8_t> scratch_;
    Row row_;
};

// Decodes the bytes of a fixed-size field of the given numeric, date, GUID or decimal type.
// `field` must be at least fixedSizeOf(type) bytes (TruncatedData otherwise).
Value decodeFixedField(const Column& column, Bytes field);

}  // namespace jet
