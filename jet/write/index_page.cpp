// Index page coding.
#include "jet/write/index_page.h"

#include <stdexcept>

#include "jet/jet_error.h"

namespace jet::write {

namespace {
constexpr std::size_t kBitmapStart = kIndexBitmapStart;
constexpr std::size_t kBitmapBytes = kIndexEntriesStart - kBitmapStart;  // 453
}  // namespace

void IndexPageImage::insert(std::size_t i, Bytes e) {
    const std::size_t begin = i == 0 ? 0 : ends[i - 1];
    data.insert(data.begin() + begin, e.begin(), e.end());
    ends.insert(ends.begin() + i, static_cast<std::uint32_t>(begin));
    for (std::size_t k = i; k < ends.size(); ++k) ends[k] += static_cast<std::uint32_t>(e.size());
}

void IndexPageImage::replace(std::size_t i, Bytes e) {
    const std::size_t begin = i == 0 ? 0 : ends[i - 1];
    const std::size_t oldLength = ends[i] - begin;
    data.erase(data.begin() + begin, data.begin() + ends[i]);
    data.insert(data.begin() + begin, e.begin(), e.end());
    const std::int64_t delta = std::int64_t(e.size()) - std::int64_t(oldLength);
    for (std::size_t k = i; k < ends.size(); ++k)
        ends[k] = static_cast<std::uint32_t>(std::int64_t(ends[k]) + delta);
}

IndexPageImage IndexPageImage::slice(std::size_t from, std::size_t to) const {
    IndexPageImage out;
    out.leaf = leaf;
    for (std::size_t i = from; i < to; ++i) {
        Bytes e = entry(i);
        out.data.insert(out.data.end(), e.begin(), e.end());
        out.ends.push_back(static_cast<std::uint32_t>(out.data.size()));
    }
    return out;
}

IndexPageImage decodeIndexPage(const Page& page) {
    IndexPageImage image;
    const auto b = bytesOf(page);
    if (page[0] == static_cast<std::uint8_t>(PageType::IndexLeaf))
        image.leaf = true;
    else if (page[0] == static_cast<std::uint8_t>(PageType::IndexNode))
        image.leaf = false;
    else
        throwTruncated({"not an index page"});
    image.previous = loadU32(b, 12);
    image.next = loadU32(b, 16);
    image.tail = loadU32(b, 20);
    const std::size_t prefix = loadU16(b, 24);
    // Where the stored entries end, from the bitmap.
    std::uint32_t storedEnds[kBitmapBytes * 8 / 2];
    std::size_t count = 0;
    std::size_t start = 0;
    for (std::size_t byte = 0; byte < kBitmapBytes; ++byte) {
        const std::uint8_t bits = page[kBitmapStart + byte];
        if (bits == 0) continue;
        for (int k = 0; k < 8; ++k) {
            if (!(bits & (1u << k))) continue;
            const std::size_t bit = byte * 8 + k;
            if (bit == 0 || bit > kIndexEntryArea || bit <= start) continue;
            if (count == std::size(storedEnds)) throwTruncated({"too many index entries"});
            storedEnds[count++] = static_cast<std::uint32_t>(bit);
            start = bit;
        }
    }
    if (count == 0) return image;
    if (prefix == 0) {
        Bytes stored = b.subspan(kIndexEntriesStart, storedEnds[count - 1]);
        image.data.assign(stored.begin(), stored.end());
        image.ends.assign(storedEnds, storedEnds + count);
        return image;
    }
    Bytes first = b.subspan(kIndexEntriesStart, storedEnds[0]);
    if (prefix > first.size()) throwTruncated({"index prefix longer than its entry"});
    image.data.assign(first.begin(), first.end());
    image.ends.push_back(storedEnds[0]);
    for (std::size_t i = 1; i < count; ++i) {
        Bytes stored = b.subspan(kIndexEntriesStart + storedEnds[i - 1], storedEnds[i] - storedEnds[i - 1]);
        image.data.insert(image.data.end(), first.begin(), first.begin() + prefix);
        image.data.insert(image.data.end(), stored.begin(), stored.end());
        image.ends.push_back(static_cast<std::uint32_t>(image.data.size()));
    }
    return image;
}

void encodeIndexPage(Page& page, PageNumber tdefPage, const IndexPageImage& image) {
    if (image.data.size() > kIndexEntryArea)
        throw std::logic_error("index page: entries exceed the page");
    page.fill(0);
    auto b = bytesOf(page);
    storeU8(b, 0, static_cast<std::uint8_t>(image.leaf ? PageType::IndexLeaf : PageType::IndexNode));
    storeU8(b, 1, 0x01);
    storeU16(b, 2, static_cast<std::uint16_t>(kIndexEntryArea - image.data.size()));
    storeU32(b, 4, tdefPage);
    storeU32(b, 12, image.previous);
    storeU32(b, 16, image.next);
    storeU32(b, 20, image.leaf ? 0 : image.tail);
    storeU8(b, 26, image.leaf ? 0 : 1);
    for (std::uint32_t end : image.ends)
        page[kBitmapStart + end / 8] |= static_cast<std::uint8_t>(1u << (end % 8));
    storeBytes(b, kIndexEntriesStart, Bytes(image.data));
}

PageNumber nodeEntryChild(Bytes entry) {
    if (entry.size() < 8) throwTruncated({"index node entry too short"});
    return loadU32BE(entry, entry.size() - 4);
}

Bytes nodeEntryKey(Bytes entry) {
    if (entry.size() < 8) throwTruncated({"index node entry too short"});
    return entry.first(entry.size() - 4);
}

}  // namespace jet::write
