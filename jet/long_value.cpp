// Resolving inline, single-row and chained long values.
#include "jet/long_value.h"

#include <algorithm>

#include "jet/data_page.h"
#include "jet/jet_error.h"
#include "platform/decimal_piece.h"
#include "platform/number_set.h"

namespace jet {

namespace {

Bytes longValueRow(PageFile& file, RowPointer pointer, PageRef& holder) {
    holder = file.page(pointer.page, PageType::Data, "a long-value data");
    try {
        RowSlot slot = rowSlot(*holder, pointer.row);
        if (slot.state == RowState::Deleted)
            file.fail(pointer.page, {"long-value row ", platform::DecimalPiece(pointer.row), " is deleted"});
        return rowBytes(*holder, slot);
    } catch (const TruncatedData& error) {
        file.fail(pointer.page, {"damaged long-value row: ", error.what()});
    }
}

}  // namespace

void readLongValue(PageFile& file, Bytes field, std::uint32_t rowPage,
                   std::vector<std::uint8_t>& out) {
    out.clear();
    if (field.size() < kLongValueReferenceSize)
        file.fail(rowPage, "memo or OLE field shorter than its 12-byte reference");
    std::uint32_t header = loadU32(field, 0);
    std::uint32_t length = header & kLongValueLengthMask;
    std::uint32_t kind = header & ~kLongValueLengthMask;
    RowPointer pointer = RowPointer::decode(loadU32(field, 4));

    if (kind == kLongValueInline) {
        if (length > field.size() - kLongValueReferenceSize)
            file.fail(rowPage, "inline memo or OLE value is longer than its field");
        Bytes bytes = field.subspan(kLongValueReferenceSize, length);
        out.assign(bytes.begin(), bytes.end());
        return;
    }
    PageRef holder;
    if (kind == kLongValueSingleRow) {
        Bytes row = longValueRow(file, pointer, holder);
        if (length > row.size())
            file.fail(pointer.page, {"long value of ", platform::DecimalPiece(length), " bytes is longer than its row"});
        out.assign(row.begin(), row.begin() + length);
        return;
    }
    if (kind != kLongValueChain)
        file.fail(rowPage, "memo or OLE reference of unknown kind");

    // The links visited, in a hash set: a chain is the file's to choose, in any order and up to
    // one link per byte of the value, so a sorted list's inserts could take quadratic time.
    platform::NumberSet visited;
    while (out.size() < length) {
        if (pointer.isNull())
            file.fail(rowPage, {"long-value chain ends after ", platform::DecimalPiece(out.size()), " of ", platform::DecimalPiece(length), " bytes"});
        if (!visited.insert(pointer.encode()))
            file.fail(pointer.page, "long-value chain loops back on itself");
        Bytes row = longValueRow(file, pointer, holder);
        if (row.size() < 4) file.fail(pointer.page, "long-value chain row shorter than its link");
        std::size_t take = std::min<std::size_t>(row.size() - 4, length - out.size());
        out.insert(out.end(), row.begin() + 4, row.begin() + 4 + take);
        pointer = RowPointer::decode(loadU32(row, 0));
    }
}

}  // namespace jet
