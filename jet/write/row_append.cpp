// Appending rows: checked first, then put on the table's last data page (or a new one),
// indexed and counted, all in one change of the page cache.
#include <stdexcept>

#include "jet/usage_map.h"
#include "jet/write/data_page.h"
#include "jet/write/database_writer.h"
#include "jet/write/row_check.h"
#include "jet/write/row_encoder.h"
#include "jet/write/usage_map.h"

namespace jet::write {

namespace {
constexpr std::size_t kDirtyPagesBeforeFlush = 2048;
}  // namespace

IndexTree& DatabaseWriter::tree(OpenTable& table, std::size_t index) {
    if (table.trees.size() != table.definition.physical.size())
        table.trees.resize(table.definition.physical.size());
    auto& slot = table.trees[index];
    if (!slot) {
        const PhysicalIndex& def = table.definition.physical[index];
        slot = std::make_unique<IndexTree>(allocator_, table.tdefPage, def.usageMap, def.root);
    }
    return *slot;
}

void DatabaseWriter::findCurrentPage(OpenTable& table) {
    table.currentPage = 0;
    PageFile pages(readView());
    for (PageNumber page : UsageMap::read(pages, table.definition.owned.encode()).pages(pages)) {
        const Page& p = cache_.read(page);
        if (p[0] == static_cast<std::uint8_t>(PageType::Data) && dataPageOwner(p) == table.tdefPage)
            table.currentPage = std::max(table.currentPage, page);
    }
    table.currentPageKnown = true;
}

void DatabaseWriter::appendRow(const std::string& tableName, const std::vector<Value>& given) {
    if (closed_) throw std::logic_error("database writer used after close");
    OpenTable& table = openTable(tableName);
    std::vector<Value> fitted;
    if (!fitsAsGiven(table.definition, given)) fitted = valuesForTable(table.name, table.definition, given);
    const std::vector<Value>& values = fitted.empty() ? given : fitted;
    const auto row = checkRow(table.name, table.definition, values,
                              [&](std::size_t index, const IndexKey& key) { return tree(table, index).contains(key); });
    // Waiting pages go out before the row is added, not after: a failing write then refuses
    // this row (which is not in the file) instead of reporting a committed row as failed.
    if (cache_.dirtyPages() > kDirtyPagesBeforeFlush) cache_.writeOut();
    cache_.begin();
    try {
        appendUnchecked(table, values, &row);
        cache_.commit();
        ++generation_;
    } catch (...) {
        cache_.rollback();
        forgetTableState();
        throw;
    }
}

void DatabaseWriter::appendUnchecked(OpenTable& table, const std::vector<Value>& values,
                                     const std::vector<std::uint8_t>* encoded) {
    TableDefinition& def = table.definition;
    std::vector<std::uint8_t> encodedHere;
    if (!encoded) encodedHere = encodeRow(def, values);
    const std::vector<std::uint8_t>& row = encoded ? *encoded : encodedHere;
    if (!table.currentPageKnown) findCurrentPage(table);
    if (table.currentPage == 0 || !rowFits(cache_.read(table.currentPage), row.size())) {
        const PageNumber page = allocator_.allocate();
        initDataPage(cache_.modify(page), table.tdefPage);
        usageMapAdd(allocator_, def.owned, page, WhenOutside::Keep);
        if (def.freeSpace.page != 0) {
            if (table.currentPage != 0) usageMapRemove(cache_, def.freeSpace, table.currentPage);
            usageMapAdd(allocator_, def.freeSpace, page, WhenOutside::Forget);
        }
        table.currentPage = page;
    }
    // Only the header and the row's place change: only they are saved for a rollback.
    const RowAddition at = rowAddition(cache_.read(table.currentPage), row.size());
    Page& page = cache_.modifyRanges(table.currentPage, {{0, at.headerEnd}, {at.rowBegin, row.size()}});
    const std::uint8_t rowNumber = addRow(page, Bytes(row));
    const RowAddress address{table.currentPage, rowNumber};
    IndexKey key;
    for (std::size_t i = 0; i < def.physical.size(); ++i) {
        PhysicalIndex& index = def.physical[i];
        encodeIndexKey(def, index, values, key);
        IndexTree& indexTree = tree(table, i);
        const bool known = !index.unique() && indexTree.contains(key);
        indexTree.insert(key, address);
        if (!known) {
            ++index.distinctKeys;
            storeTableDefinitionU32(cache_, table.tdefPage, tdefDistinctKeysOffset(i), index.distinctKeys);
        }
    }
    ++def.rowCount;
    storeTableDefinitionU32(cache_, table.tdefPage, kTdefRowCount, def.rowCount);
    // A counter column given its value explicitly: the engine's next number must follow it.
    for (const ColumnDefinition& c : def.columns) {
        if (!(c.flags & kColumnAutoNumber) || c.type != ColumnType::Int32) continue;
        const Value& v = values[c.number];
        if (v.kind() != Value::Kind::Int32 || v.asInt32() <= 0) continue;
        const auto n = static_cast<std::uint32_t>(v.asInt32());
        if (n > def.autoNumber) {
            def.autoNumber = n;
            storeTableDefinitionU32(cache_, table.tdefPage, kTdefAutoNumber, n);
        }
    }
}

}  // namespace jet::write
