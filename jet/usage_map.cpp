// Decoding inline and reference usage maps.
#include "jet/usage_map.h"

#include "jet/data_page.h"
#include "jet/jet_error.h"
#include "platform/decimal_piece.h"

namespace jet {

UsageMap UsageMap::read(PageFile& file, std::uint32_t storedPointer) {
    UsageMap map;
    RowPointer pointer = RowPointer::decode(storedPointer);
    if (pointer.isNull()) return map;
    map.mapPage_ = pointer.page;
    PageRef page = file.page(pointer.page, PageType::Data, "usage-map data");
    try {
        RowSlot slot = rowSlot(*page, pointer.row);
        if (slot.state == RowState::Deleted) file.fail(pointer.page, "usage map row is deleted");
        Bytes row = rowBytes(*page, slot);
        ByteReader reader(row);
        std::uint8_t kind = reader.u8();
        if (kind == 0) {
            map.kind_ = Kind::Inline;
            map.firstPage_ = reader.u32();
            Bytes bits = reader.bytes(reader.remaining());
            map.bitmap_.assign(bits.begin(), bits.end());
        } else if (kind == 1) {
            map.kind_ = Kind::Reference;
            while (reader.remaining() >= 4) map.bitmapPages_.push_back(reader.u32());
        } else {
            file.fail(pointer.page, {"unknown usage map type ", platform::DecimalPiece(kind)});
        }
    } catch (const TruncatedData& error) {
        file.fail(pointer.page, {"damaged usage map: ", error.what()});
    }
    return map;
}

std::optional<std::uint32_t> UsageMap::next(PageFile& file, std::uint32_t from) const {
    const std::uint32_t limit = file.pageCount();
    if (kind_ == Kind::Inline) {
        std::uint64_t bits = std::uint64_t(bitmap_.size()) * 8;
        std::uint64_t index = from > firstPage_ ? from - firstPage_ : 0;
        for (; index < bits; ++index) {
            std::uint64_t page = firstPage_ + index;
            if (page >= limit) return std::nullopt;
            if (bitmap_[index / 8] & (1u << (index % 8))) return static_cast<std::uint32_t>(page);
        }
        return std::nullopt;
    }
    if (kind_ == Kind::Reference) {
        for (std::uint64_t j = from / kPagesPerBitmapPage; j < bitmapPages_.size(); ++j) {
            std::uint64_t base = j * kPagesPerBitmapPage;
            if (base >= limit) return std::nullopt;
            if (bitmapPages_[j] == 0) continue;
            PageRef bitmap = file.page(bitmapPages_[j], PageType::UsageBitmap, "usage bitmap");
            std::uint64_t index = from > base ? from - base : 0;
            for (; index < kPagesPerBitmapPage; ++index) {
                std::uint64_t page = base + index;
                if (page >= limit) return std::nullopt;
                if ((*bitmap)[4 + index / 8] & (1u << (index % 8)))
                    return static_cast<std::uint32_t>(page);
            }
        }
    }
    return std::nullopt;
}

std::vector<std::uint32_t> UsageMap::pages(PageFile& file) const {
    std::vector<std::uint32_t> out;
    std::uint32_t from = 0;
    while (auto page = next(file, from)) {
        out.push_back(*page);
        from = *page + 1;
    }
    return out;
}

}  // namespace jet
