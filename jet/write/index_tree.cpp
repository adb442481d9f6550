// B-tree search, insertion and page splits.
#include "jet/write/index_tree.h"

#include <algorithm>
#include <cstring>

#include "jet/byte_codec.h"
#include "jet/jet_error.h"
#include "jet/write/index_page.h"
#include "jet/write/page_allocator.h"
#include "jet/write/page_cache.h"
#include "jet/write/usage_map.h"
#include "platform/byte_order.h"

namespace jet::write {

namespace {
constexpr std::size_t kMaxDepth = 16;

int compare(Bytes a, Bytes b) {
    const std::size_t n = std::min(a.size(), b.size());
    if (n) {
        const int c = std::memcmp(a.data(), b.data(), n);
        if (c) return c;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

Bytes orderingPart(const IndexPageImage& image, std::size_t i) {
    return image.leaf ? image.entry(i) : nodeEntryKey(image.entry(i));
}

// First entry not less than the target.
std::size_t lowerBound(const IndexPageImage& image, Bytes target) {
    std::size_t lo = 0, hi = image.count();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (compare(orderingPart(image, mid), target) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

void leafEntry(const IndexKey& key, RowAddress row, std::vector<std::uint8_t>& e) {
    e.assign(key.begin(), key.end());
    platform::appendBE(e, row.page, 3);
    e.push_back(row.row);
}

std::vector<std::uint8_t> nodeEntry(Bytes orderingKey, PageNumber child) {
    std::vector<std::uint8_t> e(orderingKey.begin(), orderingKey.end());
    platform::appendBE(e, child, 4);
    return e;
}

// A full page cut in two: the entries below the cut, those from it on, and the key the parent
// keeps for the lower half. Rows usually arrive in key order: then the lower page is left full
// and the upper one takes the newest entry, instead of two half-empty pages. A node's entry at
// the cut moves up: its child becomes the lower half's tail.
struct HalvedPage {
    IndexPageImage lower;
    IndexPageImage upper;
    std::vector<std::uint8_t> parentKey;
};

HalvedPage halve(const IndexPageImage& image, bool atEnd) {
    const std::size_t count = image.count();
    std::size_t cut = atEnd ? count - 1 : count / 2;
    if (!image.leaf) cut = std::clamp<std::size_t>(cut, 2, count - 1);
    HalvedPage halves{image.slice(0, image.leaf ? cut : cut - 1), image.slice(cut, count), {}};
    Bytes last = orderingPart(image, cut - 1);
    halves.parentKey.assign(last.begin(), last.end());
    if (!image.leaf) {
        halves.lower.tail = nodeEntryChild(image.entry(cut - 1));
        halves.upper.tail = image.tail;
    }
    return halves;
}
}  // namespace

IndexPageImage* IndexTree::decoded(PageNumber page) {
    for (std::size_t i = 0; i < decodedPages_.size(); ++i)
        if (decodedPages_[i] == page) return decodedImages_[i].get();
    return nullptr;
}

IndexPageImage& IndexTree::keepNew(PageNumber page, IndexPageImage image) {
    decodedPages_.push_back(page);
    decodedImages_.emplace_back(new IndexPageImage(std::move(image)));
    return *decodedImages_.back();
}

IndexPageImage& IndexTree::loaded(PageNumber page) {
    if (IndexPageImage* kept = decoded(page)) return *kept;
    // Only here, never in write(): a caller may hold an image across writes.
    if (decodedPages_.size() > 256) {
        decodedPages_.clear();
        decodedImages_.clear();
    }
    return keepNew(page, decodeIndexPage(allocator_.cache().read(page)));
}

const IndexPageImage& IndexTree::image(PageNumber page) { return loaded(page); }

void IndexTree::write(PageNumber page, const IndexPageImage& image) {
    encodeIndexPage(allocator_.cache().modify(page), tdefPage_, image);
    if (IndexPageImage* kept = decoded(page)) *kept = image;
    else keepNew(page, image);
}

void IndexTree::patchPrevious(PageNumber page, PageNumber next) {
    IndexPageImage changed = image(page);
    changed.next = next;
    write(page, changed);
}

PageNumber IndexTree::newPage() {
    const PageNumber page = allocator_.allocate();
    usageMapAdd(allocator_, usageMap_, page, WhenOutside::Keep);
    return page;
}

PageNumber IndexTree::descend(Bytes target, std::vector<Step>& path) {
    PageCache& cache = allocator_.cache();
    PageNumber page = root_;
    for (std::size_t depth = 0;; ++depth) {
        if (depth > kMaxDepth) throwJetError(cache.fileName(), root_, "the index tree is too deep");
        const IndexPageImage& node = image(page);
        if (node.leaf) return page;
        const std::size_t i = lowerBound(node, target);
        if (i < node.count()) {
            path.push_back(Step{page, i, false});
            page = nodeEntryChild(node.entry(i));
        } else if (node.tail != 0) {
            path.push_back(Step{page, node.count(), false});
            page = node.tail;
        } else if (node.count() > 0) {
            path.push_back(Step{page, node.count() - 1, true});
            page = nodeEntryChild(node.entry(node.count() - 1));
        } else {
            throwJetError(cache.fileName(), page, "an index node page has no children");
        }
    }
}

bool IndexTree::contains(const IndexKey& key) {
    std::vector<std::uint8_t>& target = scratchKey_;
    target.assign(key.begin(), key.end());
    target.insert(target.end(), 4, 0);
    std::vector<Step>& path = scratchPath_;
    path.clear();
    PageNumber page = descend(Bytes(target), path);
    for (int hop = 0; hop < 2 && page != 0; ++hop) {
        const IndexPageImage& leaf = image(page);
        const std::size_t i = lowerBound(leaf, Bytes(target));
        if (i < leaf.count()) {
            Bytes e = leaf.entry(i);
            return e.size() == key.size() + 4 && std::equal(key.begin(), key.end(), e.begin());
        }
        page = leaf.next;
    }
    return false;
}

void IndexTree::insert(const IndexKey& key, RowAddress row) {
    std::vector<std::uint8_t>& entry = scratchKey_;
    leafEntry(key, row, entry);
    std::vector<Step>& path = scratchPath_;
    path.clear();
    const PageNumber leafPage = descend(Bytes(entry), path);
    const std::size_t i = lowerBound(image(leafPage), Bytes(entry));
    const bool atEnd = i == image(leafPage).count();
    // A child followed past its parent's last listed entry now ends with the new entry.
    if (atEnd) {
        for (std::size_t d = path.size(); d-- > 0;) {
            if (!path[d].pastLast) break;
            IndexPageImage parent = image(path[d].page);
            const PageNumber child = nodeEntryChild(parent.entry(path[d].index));
            parent.replace(path[d].index, Bytes(nodeEntry(Bytes(entry), child)));
            std::vector<Step> upper(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(d));
            store(path[d].page, parent, upper, d, true);
        }
    }
    if (insertInPlace(leafPage, i, Bytes(entry))) return;
    IndexPageImage leaf = image(leafPage);
    leaf.insert(i, Bytes(entry));
    store(leafPage, leaf, path, path.size(), atEnd);
}

bool IndexTree::insertInPlace(PageNumber page, std::size_t i, Bytes entry) {
    PageCache& cache = allocator_.cache();
    IndexPageImage& leaf = loaded(page);
    // Pages from other engines may share a prefix among their entries: those are re-encoded.
    if (leaf.data.size() + entry.size() > kIndexEntryArea || loadU16(bytesOf(cache.read(page)), 24) != 0)
        return false;
    const std::size_t begin = i == 0 ? 0 : leaf.ends[i - 1];
    const std::size_t used = leaf.data.size();
    const std::size_t length = entry.size();
    Page& p = cache.modifyRanges(page, {{2, 2},
                                        {kIndexBitmapStart + begin / 8, (used + length) / 8 - begin / 8 + 1},
                                        {kIndexEntriesStart + begin, used + length - begin}});
    std::uint8_t* entries = p.data() + kIndexEntriesStart;
    std::memmove(entries + begin + length, entries + begin, used - begin);
    std::memcpy(entries + begin, entry.data(), length);
    for (std::size_t k = i; k < leaf.count(); ++k)
        p[kIndexBitmapStart + leaf.ends[k] / 8] &= static_cast<std::uint8_t>(~(1u << (leaf.ends[k] % 8)));
    leaf.insert(i, entry);
    for (std::size_t k = i; k < leaf.count(); ++k)
        p[kIndexBitmapStart + leaf.ends[k] / 8] |= static_cast<std::uint8_t>(1u << (leaf.ends[k] % 8));
    storeU16(bytesOf(p), 2, static_cast<std::uint16_t>(kIndexEntryArea - leaf.data.size()));
    return true;
}

void IndexTree::store(PageNumber page, IndexPageImage& image, std::vector<Step>& path,
                      std::size_t depth, bool atEnd) {
    if (image.data.size() <= kIndexEntryArea) {
        write(page, image);
        return;
    }
    if (page == root_ || depth == 0) {
        splitRoot(image, atEnd);
        return;
    }
    const PageNumber lower = newPage();
    HalvedPage halves = halve(image, atEnd);
    halves.lower.previous = image.previous;
    halves.lower.next = page;
    halves.upper.previous = lower;
    halves.upper.next = image.next;
    if (image.previous != 0) patchPrevious(image.previous, lower);
    write(lower, halves.lower);
    write(page, halves.upper);

    const Step step = path[depth - 1];
    IndexPageImage parent = this->image(step.page);
    const std::size_t at = std::min(step.index, parent.count());
    parent.insert(at, Bytes(nodeEntry(Bytes(halves.parentKey), lower)));
    store(step.page, parent, path, depth - 1, at + 1 >= parent.count());
}

void IndexTree::splitRoot(IndexPageImage& image, bool atEnd) {
    const PageNumber lowerPage = newPage();
    const PageNumber upperPage = newPage();
    HalvedPage halves = halve(image, atEnd);
    halves.lower.next = upperPage;
    halves.upper.previous = lowerPage;
    IndexPageImage root;
    root.leaf = false;
    root.tail = upperPage;
    root.insert(0, Bytes(nodeEntry(Bytes(halves.parentKey), lowerPage)));
    write(lowerPage, halves.lower);
    write(upperPage, halves.upper);
    write(root_, root);
}

std::vector<IndexTree::Entry> IndexTree::entries() {
    PageCache& cache = allocator_.cache();
    PageNumber page = root_;
    for (std::size_t depth = 0;; ++depth) {
        if (depth > kMaxDepth) throwJetError(cache.fileName(), root_, "the index tree is too deep");
        const IndexPageImage& node = image(page);
        if (node.leaf) break;
        page = node.count() ? nodeEntryChild(node.entry(0)) : node.tail;
    }
    std::vector<Entry> out;
    for (std::size_t guard = 0; page != 0; ++guard) {
        if (guard > cache.pageCount()) throwJetError(cache.fileName(), page, "index leaves loop");
        const IndexPageImage leaf = image(page);
        for (std::size_t i = 0; i < leaf.count(); ++i) {
            Bytes e = leaf.entry(i);
            const std::size_t n = e.size() - 4;
            RowAddress row{loadU24BE(e, n), e[n + 3]};
            out.push_back(Entry{IndexKey(e.begin(), e.begin() + static_cast<std::ptrdiff_t>(n)), row});
        }
        page = leaf.next;
    }
    return out;
}

}  // namespace jet::write
