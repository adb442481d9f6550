// Reading a TDEF chain into a TableDefinition.
#include "jet/table_definition.h"

#include <algorithm>
#include <iterator>

#include "jet/jet_error.h"
#include "jet/text_codec.h"
#include "platform/ascii_case.h"

namespace jet {

namespace {

constexpr std::size_t kTdefHeaderSize = 8;
constexpr std::size_t kColumnDescriptorSize = 25;
constexpr std::size_t kPhysicalIndexSize = 52;
constexpr std::size_t kLogicalIndexSize = 28;
constexpr std::size_t kRealIndexCountsSize = 12;

// First page whole, then bytes 8.. of every continuation page; the chain is followed at most
// once per page of the file and never back onto a page it has visited.
std::vector<std::uint8_t> loadDefinitionBuffer(PageFile& file, std::uint32_t first,
                                               std::vector<std::uint32_t>& chain) {
    std::vector<std::uint8_t> buffer;
    // One bit per page of the file (page() refuses the others): less code than a hash set.
    std::vector<bool> seen(file.pageCount());
    std::uint32_t number = first;
    while (number != 0) {
        if (number < seen.size()) {
            if (seen[number]) file.fail(number, "table definition pages form a loop");
            seen[number] = true;
        }
        PageRef page = file.page(number, PageType::TableDefinition, "a table definition");
        chain.push_back(number);
        auto from = buffer.empty() ? page->begin() : page->begin() + kTdefHeaderSize;
        buffer.insert(buffer.end(), from, page->end());
        number = loadU32(*page, 4);
    }
    return buffer;
}

std::string readName(ByteReader& reader) {
    std::uint16_t length = reader.u16();
    std::string name;
    appendUtf16LeAsUtf8(reader.bytes(length), name);
    return name;
}

// The entry readers fill elements of vectors sized once (see entriesPresent).
void readColumnDescriptor(ByteReader& reader, Column& column) {
    Bytes d = reader.bytes(kColumnDescriptorSize);
    column.typeCode = d[0];
    auto type = columnTypeFromCode(d[0]);
    column.type = type ? *type : ColumnType::Binary;
    column.number = loadU16(d, 5);
    column.varIndex = loadU16(d, 7);
    column.flags = d[15];
    column.extendedFlags = d[16];
    column.fixedOffset = loadU16(d, 21);
    column.length = loadU16(d, 23);
    if (column.type == ColumnType::Decimal) {
        column.precision = d[11];
        column.scale = d[12];
    } else if (column.type == ColumnType::Text || column.type == ColumnType::Memo) {
        column.collation = loadU16(d, 11);
    }
}

void readPhysicalIndex(ByteReader& reader, PhysicalIndex& index) {
    Bytes d = reader.bytes(kPhysicalIndexSize);
    for (int slot = 0; slot < 10; ++slot) {
        std::uint16_t column = loadU16(d, 4 + 3 * slot);
        if (column == 0xFFFF) continue;
        index.columns.push_back(IndexColumn{column, (d[6 + 3 * slot] & 0x01) != 0});
    }
    index.usageMap = loadU32(d, 34);
    index.rootPage = loadU32(d, 38);
    index.flags = d[46];
}

void readLogicalIndex(ByteReader& reader, Index& index) {
    Bytes d = reader.bytes(kLogicalIndexSize);
    index.number = loadU32(d, 4);
    index.physicalIndex = loadU32(d, 8);
    index.relatedIndexType = d[12];
    index.relatedIndex = loadI32(d, 13);
    index.relatedTablePage = loadU32(d, 17);
    index.cascadeUpdates = d[21] & 0x01;
    index.cascadeDeletes = d[22] & 0x01;
    index.kind = d[23] == 0x01 ? IndexKind::PrimaryKey
                 : d[23] == 0x02 ? IndexKind::ForeignKey
                                 : IndexKind::Normal;
}

// A vector for `count` entries of `size` bytes each, sized once for those the reader still
// holds: growing it entry by entry costs a copy of the vector's growth code per entry type.
// A count beyond what is there fails on the first missing entry, as reading one by one does.
template <class Entry>
std::vector<Entry> entriesPresent(ByteReader& reader, std::uint32_t count, std::size_t size) {
    std::vector<Entry> entries(std::min<std::size_t>(count, reader.remaining() / size));
    if (entries.size() < count) {
        reader.skip(entries.size() * size);  // where the first missing entry begins
        reader.bytes(size);                  // throws TruncatedData
    }
    return entries;
}

void parseDefinition(Bytes buffer, TableDefinition& table) {
    ByteReader head(buffer);
    head.seek(8);
    table.definitionLength = head.u32();
    head.skip(4);  // 1625
    table.storedRowCount = head.u32();
    table.autoNumber = head.u32();
    head.seek(40);
    table.tableType = head.u8();
    table.maxColumns = head.u16();
    table.variableColumns = head.u16();
    std::uint16_t columnCount = head.u16();
    std::uint32_t indexCount = head.u32();
    std::uint32_t realIndexCount = head.u32();
    table.ownedPagesMap = head.u32();
    table.freeSpaceMap = head.u32();

    ByteReader reader(buffer, 63);
    // Entry counts of the physical indexes, read where those entries are.
    const std::size_t countsAt = reader.position();
    for (std::uint32_t i = 0; i < realIndexCount; ++i) reader.skip(kRealIndexCountsSize);
    std::vector<Column> columns = entriesPresent<Column>(reader, columnCount, kColumnDescriptorSize);
    for (auto& column : columns) readColumnDescriptor(reader, column);
    for (auto& column : columns) column.name = readName(reader);
    table.physicalIndexes = entriesPresent<PhysicalIndex>(reader, realIndexCount, kPhysicalIndexSize);
    for (std::size_t i = 0; i < realIndexCount; ++i) {
        PhysicalIndex& index = table.physicalIndexes[i];
        readPhysicalIndex(reader, index);
        index.entryCount = loadU32(buffer, countsAt + i * kRealIndexCountsSize);
        index.uniqueEntryCount = loadU32(buffer, countsAt + i * kRealIndexCountsSize + 4);
    }
    table.indexes = entriesPresent<Index>(reader, indexCount, kLogicalIndexSize);
    for (auto& index : table.indexes) readLogicalIndex(reader, index);
    for (auto& index : table.indexes) index.name = readName(reader);
    while (reader.remaining() >= 2) {
        std::uint16_t column = reader.u16();
        if (column == 0xFFFF) break;
        LongValueMaps maps;
        maps.columnNumber = column;
        maps.ownedMap = reader.u32();
        maps.freeSpaceMap = reader.u32();
        table.longValueMaps.push_back(maps);
    }
    // In number order, stable: an insertion sort, as a table has few columns (and it is far
    // less code than std::stable_sort).
    const auto byNumber = [](const Column& a, const Column& b) { return a.number < b.number; };
    for (auto it = columns.begin(); it != columns.end(); ++it)
        std::rotate(std::upper_bound(columns.begin(), it, *it, byNumber), it, std::next(it));
    table.columns = std::move(columns);
}

}  // namespace

bool sameName(std::string_view a, std::string_view b) { return platform::equalsIgnoringAsciiCase(a, b); }

const Column* TableDefinition::findColumn(std::string_view name) const {
    for (const auto& column : columns)
        if (sameName(column.name, name)) return &column;
    return nullptr;
}

TableDefinition readTableDefinition(PageFile& file, std::uint32_t page) {
    TableDefinition table;
    table.page = page;
    std::vector<std::uint8_t> buffer = loadDefinitionBuffer(file, page, table.pages);
    try {
        parseDefinition(buffer, table);
    } catch (const TruncatedData& error) {
        file.fail(page, {"damaged table definition: ", error.what()});
    }
    for (const auto& index : table.indexes)
        if (index.physicalIndex >= table.physicalIndexes.size())
            file.fail(page, {"index ", index.name, " refers to a missing physical index"});
    for (const auto& column : table.columns) {
        if (column.isFixed() && column.type != ColumnType::Bool &&
            std::size_t(column.fixedOffset) + column.length > kPageSize)
            file.fail(page, {"column ", column.name, " lies outside any row"});
    }
    return table;
}

}  // namespace jet
