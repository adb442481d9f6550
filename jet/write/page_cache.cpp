// Page cache with before-images for all-or-nothing changes.
#include "jet/write/page_cache.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "jet/jet_error.h"
#include "platform/decimal_piece.h"

namespace jet::write {

namespace {
// Clean pages kept for re-reading; modified pages stay until flush whatever their number.
constexpr std::size_t kCleanPagesKept = 512;
// Before-images whose storage outlives a change.
constexpr std::size_t kBeforeImagesKept = 32;
}  // namespace

PageCache::PageCache(std::unique_ptr<PageSource> source) : source_(std::move(source)) {
    const std::uint64_t size = source_->size();
    if (size % kPageSize != 0)
        throwJetError(JetFault::Damaged, source_->name(),
                      {"the file size ", platform::DecimalPiece(size), " is not a whole number of 4096-byte pages"});
    pageCount_ = writtenPageCount_ = static_cast<PageNumber>(size / kPageSize);
}

PageCache::~PageCache() = default;

PageCache::Slot& PageCache::load(PageNumber page) {
    if (Slot* slot = find(page)) return *slot;
    if (page >= pageCount_)
        throwJetError(source_->name(), page, "the page is past the end of the file");
    trim();
    // Read before placing, so that a failed read leaves no zero-filled page behind.
    std::unique_ptr<Slot> fresh(new Slot);
    source_->read(std::uint64_t(page) * kPageSize, bytesOf(fresh->bytes));
    return place(page, std::move(fresh));
}

PageCache::Slot& PageCache::place(PageNumber page, std::unique_ptr<Slot> slot) {
    if (slots_.size() <= page) slots_.resize(std::size_t(page) + 1);
    slots_[page] = std::move(slot);
    ++loaded_;
    return *slots_[page];
}

void PageCache::forget(PageNumber page) {
    slots_[page].reset();
    --loaded_;
}

void PageCache::trim() {
    if (loaded_ - dirtyCount_ < kCleanPagesKept) return;
    for (PageNumber page = 0; page < slots_.size(); ++page) {
        const Slot* slot = slots_[page].get();
        if (slot && !slot->dirty && !(changing_ && slot->savedIn == change_)) forget(page);
    }
}

const Page& PageCache::read(PageNumber page) { return load(page).bytes; }

void PageCache::remember(PageNumber page, Slot& slot) {
    if (!changing_ || slot.savedIn == change_) return;
    slot.savedIn = change_;
    if (beforeCount_ == before_.size()) before_.emplace_back();
    Before& before = before_[beforeCount_++];
    before.page = page;
    before.existed = true;
    before.dirty = slot.dirty;
    before.bytes = slot.bytes;
}

Page& PageCache::modify(PageNumber page) {
    Slot& slot = load(page);
    remember(page, slot);
    if (!slot.dirty) {
        slot.dirty = true;
        ++dirtyCount_;
    }
    return slot.bytes;
}

Page& PageCache::modifyRanges(PageNumber page, std::initializer_list<Range> ranges) {
    Slot& slot = load(page);
    if (changing_ && slot.savedIn != change_) {
        for (const Range& r : ranges) {
            if (r.offset > kPageSize || r.length > kPageSize - r.offset)
                throw std::logic_error("page cache: a range past the page");
            ranges_.push_back(SavedRange{page, r.offset, r.length, rangeBytes_.size(), slot.dirty});
            rangeBytes_.insert(rangeBytes_.end(), slot.bytes.begin() + static_cast<std::ptrdiff_t>(r.offset),
                               slot.bytes.begin() + static_cast<std::ptrdiff_t>(r.offset + r.length));
        }
    }
    if (!slot.dirty) {
        slot.dirty = true;
        ++dirtyCount_;
    }
    return slot.bytes;
}

PageNumber PageCache::append() {
    const PageNumber page = pageCount_++;
    Slot& slot = place(page, std::unique_ptr<Slot>(new Slot));
    if (changing_) {
        // Nothing to copy: rolling back forgets the page.
        slot.savedIn = change_;
        if (beforeCount_ == before_.size()) before_.emplace_back();
        Before& before = before_[beforeCount_++];
        before.page = page;
        before.existed = false;
        before.dirty = false;
    }
    slot.bytes.fill(0);
    slot.dirty = true;
    ++dirtyCount_;
    return page;
}

void PageCache::begin() {
    if (changing_) throw std::logic_error("page cache: changes do not nest");
    changing_ = true;
    ++change_;
    beforeCount_ = 0;
    pageCountBefore_ = pageCount_;
}

void PageCache::commit() {
    changing_ = false;
    endChange();
}

void PageCache::rollback() {
    for (std::size_t i = 0; i < beforeCount_; ++i) {
        const Before& before = before_[i];
        Slot* slot = find(before.page);
        if (!slot) continue;
        if (slot->dirty) --dirtyCount_;
        if (!before.existed) {
            forget(before.page);
            continue;
        }
        slot->bytes = before.bytes;
        slot->dirty = before.dirty;
        if (before.dirty) ++dirtyCount_;
    }
    // A whole page saved after some of its ranges holds them changed: ranges go back after it.
    for (std::size_t i = ranges_.size(); i-- > 0;) {
        const SavedRange& range = ranges_[i];
        Slot* slot = find(range.page);
        if (!slot) continue;
        std::copy_n(rangeBytes_.begin() + static_cast<std::ptrdiff_t>(range.at), range.length,
                    slot->bytes.begin() + static_cast<std::ptrdiff_t>(range.offset));
        if (slot->dirty != range.dirty) {
            slot->dirty = range.dirty;
            if (range.dirty) ++dirtyCount_;
            else --dirtyCount_;
        }
    }
    pageCount_ = pageCountBefore_;
    changing_ = false;
    endChange();
}

void PageCache::endChange() {
    beforeCount_ = 0;
    ranges_.clear();
    rangeBytes_.clear();
    // A change that touched many pages (a new table) does not keep their images' memory.
    if (before_.size() > kBeforeImagesKept) {
        before_.resize(kBeforeImagesKept);
        before_.shrink_to_fit();
    }
}

void PageCache::flush() {
    writeOut();
    source_->flush();
}

void PageCache::writeOut() {
    if (changing_) throw std::logic_error("page cache: flush inside a change");
    // Pages in increasing order, so that a growing file is extended front to back.
    for (PageNumber page = 0; page < slots_.size(); ++page) {
        Slot* slot = slots_[page].get();
        if (!slot || !slot->dirty) continue;
        source_->write(std::uint64_t(page) * kPageSize, bytesOf(slot->bytes));
        slot->dirty = false;
    }
    dirtyCount_ = 0;
    writtenPageCount_ = pageCount_;
    trim();
}

}  // namespace jet::write
