// Scanning a table's rows.
#include "jet/table.h"

#include "jet/jet_error.h"

namespace jet {

namespace {
// A moved row is never itself moved in files Access writes; a few hops allow for it anyway
// while keeping a damaged file from looping.
constexpr int kMaxOverflowHops = 4;
}  // namespace

std::optional<std::size_t> Table::columnIndex(std::string_view name) const {
    const auto& columns = definition_->columns;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (sameName(columns[i].name, name)) return i;
    return std::nullopt;
}

RowCursor::RowCursor(const Table& table)
    : file_(table.file_), table_(table.definition_), name_(table.name_),
      owned_(UsageMap::read(*file_, table_->ownedPagesMap)), decoder_(*file_, *table_) {}

const Value& RowCursor::field(std::string_view name) const {
    const auto& columns = table_->columns;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (sameName(columns[i].name, name)) return (*this)[i];
    throw JetError::noSuchColumn(file_->name(), name_, name);
}

const Value& RowCursor::operator[](std::size_t column) const {
    if (!decoded_.at(column)) {
        decoder_.decodeColumn(column, values_[column]);
        decoded_[column] = 1;
    }
    return values_[column];
}

const std::vector<Value>& RowCursor::values() const {
    for (std::size_t i = 0; i < values_.size(); ++i) (*this)[i];
    return values_;
}

bool RowCursor::readSlot(std::uint32_t pageNumber, unsigned row) {
    const RowPointer scanPlace{pageNumber, static_cast<std::uint8_t>(row)};
    PageRef page = page_;
    for (int hop = 0;; ++hop) {
        RowSlot slot;
        try {
            slot = rowSlot(*page, row);
        } catch (const TruncatedData& error) {
            file_->fail(pageNumber, {"damaged data page: ", error.what()});
        }
        // A moved row is read through its header; the target itself is skipped in the scan.
        if (slot.state == RowState::Deleted) return false;
        if (slot.state == RowState::OverflowTarget && hop == 0) return false;
        if (slot.state == RowState::OverflowHeader) {
            if (hop >= kMaxOverflowHops) file_->fail(pageNumber, "moved row chain too long");
            Bytes bytes = rowBytes(*page, slot);
            if (bytes.size() < 4) file_->fail(pageNumber, "moved-row header shorter than 4 bytes");
            RowPointer target = RowPointer::decode(loadU32(bytes, 0));
            page = file_->page(target.page, PageType::Data, "a table data");
            if (loadU32(*page, kDataPageOwnerOffset) != table_->page)
                file_->fail(target.page, "moved row lands on a page of another table");
            pageNumber = target.page;
            row = target.row;
            continue;
        }
        rowPage_ = page;
        decoder_.start(rowBytes(*page, slot), pageNumber, row);
        values_.resize(table_->columns.size());
        decoded_.assign(values_.size(), 0);
        position_ = RowPointer{pageNumber, static_cast<std::uint8_t>(row)};
        bookmark_ = scanPlace;
        return true;
    }
}

void RowCursor::seek(RowPointer bookmark) {
    PageRef candidate = file_->page(bookmark.page, PageType::Data, "a table data");
    if (loadU32(*candidate, kDataPageOwnerOffset) != table_->page)
        file_->fail(bookmark.page, "bookmark names a page of another table");
    unsigned count = 0;
    try {
        count = rowCount(*candidate);
    } catch (const TruncatedData& error) {
        file_->fail(bookmark.page, {"damaged data page: ", error.what()});
    }
    if (bookmark.row >= count) file_->fail(bookmark.page, "bookmark names no row");
    page_ = candidate;
    pageNumber_ = bookmark.page;
    rowsOnPage_ = count;
    nextRow_ = bookmark.row + 1u;
    finished_ = false;
    if (!readSlot(pageNumber_, bookmark.row)) file_->fail(bookmark.page, "bookmark names no live row");
}

bool RowCursor::next() {
    while (!finished_) {
        if (page_ && nextRow_ < rowsOnPage_) {
            if (readSlot(pageNumber_, nextRow_++)) return true;
            continue;
        }
        // Next data page of this table; stale pages of other owners are passed over.
        auto number = owned_.next(*file_, page_ ? pageNumber_ + 1 : 1);
        if (!number) {
            finished_ = true;
            page_.reset();
            break;
        }
        pageNumber_ = *number;
        PageRef candidate = file_->page(pageNumber_);
        nextRow_ = 0;
        rowsOnPage_ = 0;
        page_ = candidate;
        if ((*candidate)[0] != static_cast<std::uint8_t>(PageType::Data) ||
            loadU32(*candidate, kDataPageOwnerOffset) != table_->page)
            continue;
        try {
            rowsOnPage_ = rowCount(*candidate);
        } catch (const TruncatedData& error) {
            file_->fail(pageNumber_, {"damaged data page: ", error.what()});
        }
    }
    return false;
}

}  // namespace jet
