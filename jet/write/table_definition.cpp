// Encoding and decoding of TDEF bytes.
#include "jet/write/table_definition.h"

#include <algorithm>

#include "jet/jet_error.h"
#include "jet/write/page_cache.h"
#include "jet/write/text_encoding.h"

namespace jet::write {

namespace {
constexpr std::uint32_t kMagicTable = 1625;
constexpr std::uint32_t kMagicIndex = 1923;
constexpr std::size_t kContinuationHeader = 8;

void writeName(ByteWriter& out, const std::string& utf8) {
    const auto utf16 = utf8ToUtf16Strict(utf8).value_or(u"?");
    out.u16(static_cast<std::uint16_t>(utf16.size() * 2));
    for (char16_t c : utf16) out.u16(static_cast<std::uint16_t>(c));
}

std::string readName(ByteReader& in) {
    const std::uint16_t length = in.u16();
    Bytes raw = in.bytes(length);
    std::u16string utf16;
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2)
        utf16.push_back(static_cast<char16_t>(raw[i] | (raw[i + 1] << 8)));
    return utf16ToUtf8(utf16);
}
}  // namespace

const ColumnDefinition* TableDefinition::columnByNumber(std::uint16_t number) const {
    for (const auto& c : columns)
        if (c.number == number) return &c;
    return nullptr;
}

const ColumnDefinition* TableDefinition::columnByName(const std::string& name) const {
    for (const auto& c : columns)
        if (c.name == name) return &c;
    return nullptr;
}

std::size_t TableDefinition::fixedAreaSize() const {
    std::size_t size = 0;
    for (const auto& c : columns)
        if (c.fixed() && c.type != ColumnType::Bool)
            size = std::max<std::size_t>(size, std::size_t(c.fixedOffset) + c.length);
    return size;
}

std::vector<std::uint8_t> encodeTableDefinition(const TableDefinition& t) {
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    out.u8(static_cast<std::uint8_t>(PageType::TableDefinition));
    out.u8(0x01);
    out.u16(0);  // free space, set when laid out
    out.u32(0);  // next page, set when laid out
    out.u32(0);  // length, patched below
    out.u32(kMagicTable);
    out.u32(t.rowCount);
    out.u32(t.autoNumber);
    out.u8(0x01);
    out.zeros(15);
    out.u8(t.tableType);
    out.u16(t.maxColumns);
    out.u16(t.varColumns);
    out.u16(static_cast<std::uint16_t>(t.columns.size()));
    out.u32(static_cast<std::uint32_t>(t.logical.size()));
    out.u32(static_cast<std::uint32_t>(t.physical.size()));
    out.u32(t.owned.pointer());
    out.u32(t.freeSpace.pointer());
    for (const auto& index : t.physical) {
        out.u32(0);
        out.u32(index.distinctKeys);
        out.u32(0);
    }
    for (const auto& c : t.columns) {
        out.u8(static_cast<std::uint8_t>(c.type));
        out.u32(kMagicTable);
        out.u16(c.number);
        out.u16(c.varIndex);
        out.u16(c.numberAgain);
        for (auto m : c.misc) out.u8(m);
        out.u8(c.flags);
        out.u8(c.extFlags);
        out.u32(0);
        out.u16(c.fixedOffset);
        out.u16(c.length);
    }
    for (const auto& c : t.columns) writeName(out, c.name);
    for (const auto& index : t.physical) {
        out.u32(kMagicIndex);
        for (std::size_t slot = 0; slot < 10; ++slot) {
            if (slot < index.columns.size()) {
                out.u16(index.columns[slot].column);
                out.u8(index.columns[slot].ascending ? 0x01 : 0x00);
            } else {
                out.u16(0xFFFF);
                out.u8(0);
            }
        }
        out.u32(index.usageMap.pointer());
        out.u32(index.root);
        out.u32(0);
        out.u8(index.flags);
        out.zeros(5);
    }
    for (const auto& index : t.logical) {
        out.u32(kMagicTable);
        out.u32(index.number);
        out.u32(index.physical);
        out.u8(index.relatedType);
        out.i32(index.relatedIndex);
        out.u32(index.relatedTable);
        out.u8(index.cascadeUpdate);
        out.u8(index.cascadeDelete);
        out.u8(index.type);
        out.u32(0);
    }
    for (const auto& index : t.logical) writeName(out, index.name);
    for (const auto& c : t.columns) {
        if (!c.longValue()) continue;
        out.u16(c.number);
        out.u32(c.longValueOwned.pointer());
        out.u32(c.longValueFree.pointer());
    }
    out.u16(0xFFFF);
    storeU32(MutableBytes(bytes), 8, static_cast<std::uint32_t>(bytes.size()));
    return bytes;
}

TableDefinition decodeTableDefinition(Bytes definition) {
    TableDefinition t;
    ByteReader in(definition);
    in.seek(kTdefRowCount);
    t.rowCount = in.u32();
    t.autoNumber = in.u32();
    in.seek(40);
    t.tableType = in.u8();
    t.maxColumns = in.u16();
    t.varColumns = in.u16();
    const std::uint16_t columnCount = in.u16();
    const std::uint32_t logicalCount = in.u32();
    const std::uint32_t physicalCount = in.u32();
    if (logicalCount > 1000 || physicalCount > 1000)
        throw TruncatedData("implausible index counts in the table definition");
    t.owned = RowAddress::fromPointer(in.u32());
    t.freeSpace = RowAddress::fromPointer(in.u32());
    t.physical.resize(physicalCount);
    for (auto& index : t.physical) {
        in.u32();
        index.distinctKeys = in.u32();
        in.u32();
    }
    t.columns.resize(columnCount);
    for (auto& c : t.columns) {
        c.type = static_cast<ColumnType>(in.u8());
        in.u32();
        c.number = in.u16();
        c.varIndex = in.u16();
        c.numberAgain = in.u16();
        for (auto& m : c.misc) m = in.u8();
        c.flags = in.u8();
        c.extFlags = in.u8();
        in.u32();
        c.fixedOffset = in.u16();
        c.length = in.u16();
    }
    for (auto& c : t.columns) c.name = readName(in);
    for (auto& index : t.physical) {
        in.u32();
        for (std::size_t slot = 0; slot < 10; ++slot) {
            const std::uint16_t column = in.u16();
            const std::uint8_t order = in.u8();
            if (column != 0xFFFF) index.columns.push_back(IndexColumn{column, order == 0x01});
        }
        index.usageMap = RowAddress::fromPointer(in.u32());
        index.root = in.u32();
        in.u32();
        index.flags = in.u8();
        in.skip(5);
    }
    t.logical.resize(logicalCount);
    for (auto& index : t.logical) {
        in.u32();
        index.number = in.u32();
        index.physical = in.u32();
        index.relatedType = in.u8();
        index.relatedIndex = in.i32();
        index.relatedTable = in.u32();
        index.cascadeUpdate = in.u8();
        index.cascadeDelete = in.u8();
        index.type = in.u8();
        in.u32();
    }
    for (auto& index : t.logical) index.name = readName(in);
    for (std::size_t guard = 0; guard < columnCount + 1u; ++guard) {
        const std::uint16_t column = in.u16();
        if (column == 0xFFFF) break;
        const RowAddress owned = RowAddress::fromPointer(in.u32());
        const RowAddress free = RowAddress::fromPointer(in.u32());
        for (auto& c : t.columns)
            if (c.number == column) {
                c.longValueOwned = owned;
                c.longValueFree = free;
            }
    }
    return t;
}

std::vector<std::uint8_t> readTableDefinition(PageCache& cache, PageNumber page) {
    std::vector<std::uint8_t> bytes;
    PageNumber current = page;
    for (std::size_t guard = 0; current != 0; ++guard) {
        if (guard > 64) throw JetError(cache.fileName(), page, "the table definition chain loops");
        const Page& p = cache.read(current);
        if (p[0] != static_cast<std::uint8_t>(PageType::TableDefinition))
            throw JetError(cache.fileName(), current, "not a table definition page");
        const std::size_t from = bytes.empty() ? 0 : kContinuationHeader;
        bytes.insert(bytes.end(), p.begin() + from, p.end());
        current = loadU32(bytesOf(p), 4);
    }
    const std::uint32_t length = loadU32(Bytes(bytes), 8);
    if (length > bytes.size())
        throw JetError(cache.fileName(), page, "the table definition is longer than its pages");
    bytes.resize(length);
    return bytes;
}

void storeTableDefinitionU32(PageCache& cache, PageNumber page, std::size_t offset,
                             std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        std::size_t at = offset + i;
        PageNumber current = page;
        while (at >= kPageSize) {
            current = loadU32(bytesOf(cache.read(current)), 4);
            if (current == 0) throw JetError(cache.fileName(), page, "table definition too short");
            at = at - kPageSize + kContinuationHeader;
        }
        storeU8(bytesOf(cache.modify(current)), at, static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

std::size_t tableDefinitionPagesNeeded(std::size_t length) {
    if (length <= kPageSize) return 1;
    const std::size_t rest = length - kPageSize;
    const std::size_t per = kPageSize - kContinuationHeader;
    return 1 + (rest + per - 1) / per;
}

std::vector<Page> layOutTableDefinition(Bytes definition, const std::vector<PageNumber>& pages) {
    std::vector<Page> out(tableDefinitionPagesNeeded(definition.size()));
    if (pages.size() < out.size()) throw std::logic_error("table definition: too few pages");
    std::size_t position = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        Page& page = out[i];
        page.fill(0);
        auto b = bytesOf(page);
        const std::size_t from = i == 0 ? 0 : kContinuationHeader;
        const std::size_t count = std::min(kPageSize - from, definition.size() - position);
        storeBytes(b, from, definition.subspan(position, count));
        position += count;
        storeU8(b, 0, static_cast<std::uint8_t>(PageType::TableDefinition));
        storeU8(b, 1, 0x01);
        storeU32(b, 4, i + 1 < out.size() ? pages[i + 1] : 0);
        if (i == 0) storeU32(b, 8, static_cast<std::uint32_t>(definition.size()));
        // Free space: what is left on a one-page definition, 0 on a chain's pages.
        const std::size_t free =
            out.size() == 1 && definition.size() + 8 <= kPageSize ? kPageSize - definition.size() - 8 : 0;
        storeU16(b, 2, static_cast<std::uint16_t>(free));
    }
    return out;
}

}  // namespace jet::write
