// Row layout.
#include "jet/write/row_encoder.h"

#include <bit>
#include <cstring>
#include <stdexcept>

#include "jet/jet_error.h"
#include "jet/write/text_encoding.h"

namespace jet::write {

void appendTextValue(std::vector<std::uint8_t>& out, const std::u16string& text, bool compressible) {
    const std::size_t start = out.size();
    // Compressed form: FF FE, then characters U+0001..U+00FF as one byte each; a 00 byte
    // switches to UTF-16 code units and back. A unit with a zero byte cannot sit in a
    // UTF-16 run (it would read as a switch), so such texts are stored plain.
    bool compress = compressible && text.size() >= 3 && text.size() <= 1024;
    if (compress) {
        out.reserve(start + text.size() + 8);
        out.push_back(0xFF);
        out.push_back(0xFE);
        bool narrow = true;
        for (char16_t c : text) {
            const bool fitsByte = c >= 0x01 && c <= 0xFF;
            if (!fitsByte && ((c & 0xFF) == 0 || (c >> 8) == 0)) {
                compress = false;
                break;
            }
            if (fitsByte != narrow) {
                out.push_back(0x00);
                narrow = fitsByte;
            }
            out.push_back(static_cast<std::uint8_t>(c));
            if (!narrow) out.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        if (compress && out.size() - start < text.size() * 2) return;
        out.resize(start);
    }
    out.reserve(start + text.size() * 2);
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
}

namespace {
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
constexpr std::uint64_t kLowBits = 0x0101010101010101ull;

// How many of a word's bytes, from its first, are ASCII other than zero (the word read
// little-endian, so the first byte is the lowest).
inline std::size_t plainAsciiPrefix(std::uint64_t word) {
    const std::uint64_t stops = (word & kHighBits) | ((word - kLowBits) & ~word & kHighBits);
    return stops == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(stops)) / 8;
}
static_assert(std::endian::native == std::endian::little, "the writer runs on little-endian machines");

// The compressed form of `utf8` written at `o` (room for 2 + 3 bytes per UTF-8 byte);
// returns its end, or nullptr when the text cannot be compressed or is not worth it, or on
// bad UTF-8 (`bad` then set).
std::uint8_t* compressText(std::string_view utf8, std::uint8_t* o, bool& bad) {
    std::uint8_t* const start = o;
    *o++ = 0xFF;
    *o++ = 0xFE;
    bool narrow = true;
    std::size_t units = 0;
    auto unit = [&](char16_t c) {
        const bool fitsByte = c >= 0x01 && c <= 0xFF;
        if (!fitsByte && ((c & 0xFF) == 0 || (c >> 8) == 0)) return false;
        if (fitsByte != narrow) {
            *o++ = 0x00;
            narrow = fitsByte;
        }
        *o++ = static_cast<std::uint8_t>(c);
        if (!narrow) *o++ = static_cast<std::uint8_t>(c >> 8);
        ++units;
        return true;
    };
    for (std::size_t i = 0; i < utf8.size();) {
        if (narrow && i + 8 <= utf8.size()) {
            std::uint64_t word = 0;
            std::memcpy(&word, utf8.data() + i, 8);
            // The plain ASCII bytes before the first zero or non-ASCII one are copied as they
            // are (all eight are stored; the room is there and the rest is overwritten).
            const std::size_t plain = plainAsciiPrefix(word);
            std::memcpy(o, &word, 8);
            o += plain;
            i += plain;
            units += plain;
            if (plain == 8 || i >= utf8.size()) continue;
        }
        char32_t code = 0;
        if (!nextUtf8CodePoint(utf8, i, code)) {
            bad = true;
            return nullptr;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            if (!unit(static_cast<char16_t>(0xD800 + (code >> 10))) || !unit(static_cast<char16_t>(0xDC00 + (code & 0x3FF))))
                return nullptr;
        } else if (!unit(static_cast<char16_t>(code))) {
            return nullptr;
        }
    }
    if (units < 3 || units > 1024 || std::size_t(o - start) >= units * 2) return nullptr;
    return o;
}

// UTF-16LE of `utf8` at `o` (room for 2 bytes per UTF-8 byte); its end, or nullptr on bad UTF-8.
std::uint8_t* plainText(std::string_view utf8, std::uint8_t* o) {
    auto unit = [&](char16_t c) {
        *o++ = static_cast<std::uint8_t>(c);
        *o++ = static_cast<std::uint8_t>(c >> 8);
    };
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t code = 0;
        if (!nextUtf8CodePoint(utf8, i, code)) return nullptr;
        if (code >= 0x10000) {
            code -= 0x10000;
            unit(static_cast<char16_t>(0xD800 + (code >> 10)));
            unit(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            unit(static_cast<char16_t>(code));
        }
    }
    return o;
}
}  // namespace

namespace {
// Room storeText needs for `utf8`: compressed, a switch byte and two bytes per UTF-16 unit at
// worst; plain, two bytes per unit; a unit takes at least one UTF-8 byte.
std::size_t storedTextRoom(std::string_view utf8) { return 2 + 3 * utf8.size(); }

// The stored form of `utf8` at `o`; its end, or nullptr on bad UTF-8.
std::uint8_t* storeText(std::uint8_t* o, std::string_view utf8, bool compressible) {
    if (compressible && utf8.size() >= 3) {
        bool bad = false;
        if (std::uint8_t* end = compressText(utf8, o, bad)) return end;
        if (bad) return nullptr;
    }
    return plainText(utf8, o);
}
}  // namespace

bool appendStoredText(std::vector<std::uint8_t>& out, std::string_view utf8, bool compressible) {
    const std::size_t start = out.size();
    out.resize(start + storedTextRoom(utf8));
    std::uint8_t* end = storeText(out.data() + start, utf8, compressible);
    out.resize(end ? static_cast<std::size_t>(end - out.data()) : start);
    return end != nullptr;
}

std::vector<std::uint8_t> encodeTextValue(const std::u16string& text, bool compressible) {
    std::vector<std::uint8_t> out;
    appendTextValue(out, text, compressible);
    return out;
}

namespace {
void storeFixed(MutableBytes area, const ColumnDefinition& c, const Value& v) {
    const std::size_t at = c.fixedOffset;
    switch (c.type) {
    case ColumnType::Byte: storeU8(area, at, v.asByte()); break;
    case ColumnType::Int16: storeU16(area, at, static_cast<std::uint16_t>(v.asInt16())); break;
    case ColumnType::Int32: storeU32(area, at, static_cast<std::uint32_t>(v.asInt32())); break;
    case ColumnType::Currency:
        storeU64(area, at, static_cast<std::uint64_t>(v.asCurrency().tenThousandths));
        break;
    case ColumnType::Float: storeF32(area, at, v.asFloat()); break;
    case ColumnType::Double: storeF64(area, at, v.asDouble()); break;
    case ColumnType::DateTime: storeF64(area, at, v.asDateTime().days); break;
    case ColumnType::Guid: storeBytes(area, at, Bytes(v.asGuid().bytes)); break;
    default: throwInvalidArgument({"column ", c.name, ": no fixed-size encoding"});
    }
}

// Room a variable column's value may take.
std::size_t variableRoom(const ColumnDefinition& c, const Value& v) {
    switch (c.type) {
    case ColumnType::Text: return storedTextRoom(v.asString());
    case ColumnType::Binary: return v.asBytes().size();
    default:
        throwInvalidArgument({"column ", c.name, ": values of type ", columnTypeName(c.type), " cannot be written"});
    }
}

// Stores the value at `o` (variableRoom bytes there) and returns the end.
std::uint8_t* storeVariable(std::uint8_t* o, const ColumnDefinition& c, const Value& v) {
    if (c.type == ColumnType::Text) {
        std::uint8_t* end = storeText(o, v.asString(), c.extFlags & kColumnCompressedUnicode);
        if (!end) throwInvalidArgument({"column ", c.name, ": the text is not UTF-8"});
        return end;
    }
    const auto& bytes = v.asBytes();
    if (!bytes.empty()) std::memcpy(o, bytes.data(), bytes.size());
    return o + bytes.size();
}
}  // namespace

std::vector<std::uint8_t> encodeRow(const TableDefinition& table, const std::vector<Value>& values) {
    const std::size_t columnCount = table.maxColumns;
    const std::size_t maskBytes = (columnCount + 7) / 8;
    // Plain locals: a thread-local scratch saved two allocations a row but brought the
    // run-time's emulated thread storage into the installer (2 KB).
    std::vector<std::uint8_t> mask(maskBytes, 0);
    std::vector<const ColumnDefinition*> slots;
    std::vector<std::uint16_t> offsets;
    std::vector<std::uint8_t> row;
    row.reserve(512);
    ByteWriter out(row);
    out.u16(static_cast<std::uint16_t>(columnCount));
    const std::size_t fixedSize = table.fixedAreaSize();
    row.resize(2 + fixedSize, 0);
    MutableBytes fixedArea(row.data() + 2, fixedSize);

    slots.assign(table.varColumns, nullptr);
    for (const auto& c : table.columns) {
        const Value& v = c.number < values.size() ? values[c.number] : kNullValue;
        if (c.type == ColumnType::Bool) {
            if (!v.isNull() && v.asBool()) mask[c.number / 8] |= static_cast<std::uint8_t>(1u << (c.number % 8));
            continue;
        }
        if (v.isNull()) continue;
        mask[c.number / 8] |= static_cast<std::uint8_t>(1u << (c.number % 8));
        if (c.fixed())
            storeFixed(fixedArea, c, v);
        else if (c.varIndex < slots.size())
            slots[c.varIndex] = &c;
    }
    if (table.varColumns > 0) {
        offsets.resize(table.varColumns);
        // The row grows once by the room every value may take, and is cut to what they took.
        std::size_t room = 0;
        for (const ColumnDefinition* c : slots)
            if (c && !values[c->number].isNull()) room += variableRoom(*c, values[c->number]);
        const std::size_t start = row.size();
        row.resize(start + room);
        std::uint8_t* o = row.data() + start;
        for (std::size_t slot = 0; slot < slots.size(); ++slot) {
            offsets[slot] = static_cast<std::uint16_t>(o - row.data());
            const ColumnDefinition* c = slots[slot];
            if (!c) continue;
            const Value& v = values[c->number];
            if (v.isNull()) continue;
            o = storeVariable(o, *c, v);
        }
        row.resize(static_cast<std::size_t>(o - row.data()));
        const std::uint16_t endOfData = static_cast<std::uint16_t>(row.size());
        out.u16(endOfData);
        for (std::size_t slot = offsets.size(); slot-- > 0;) out.u16(offsets[slot]);
        out.u16(table.varColumns);
    }
    row.insert(row.end(), mask.begin(), mask.end());
    return row;
}

}  // namespace jet::write
