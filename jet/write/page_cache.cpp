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
    if (auto it = slots_.find(page); it != slots_.end()) return it->second;
    if (page >= pageCount_)
        throwJetError(source_->name(), page, "the page is past the end of the file");
    trim();
    // Read before inserting, so that a failed read leaves no zero-filled page behind.
    Slot fresh;
    source_->read(std::uint64_t(page) * kPageSize, bytesOf(fresh.bytes));
    return slots_.emplace(page, fresh).first->second;
}

void PageCache::trim() {
    if (slots_.size() - dirtyCount_ < kCleanPagesKept) return;
    for (auto it = slots_.begin(); it != slots_.end();) {
        const bool saved = changing_ && it->second.savedIn == change_;
        if (!it->second.dirty && !saved)
            it = slots_.erase(it);
        else
            ++it;
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
    Slot& slot = slots_[page];
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
        auto it = slots_.find(before.page);
        if (it == slots_.end()) continue;
        if (it->second.dirty) --dirtyCount_;
        if (!before.existed) {
            slots_.erase(it);
            continue;
        }
        it->second.bytes = before.bytes;
        it->second.dirty = before.dirty;
        if (before.dirty) ++dirtyCount_;
    }
    // A whole page saved after some of its ranges holds them changed: ranges go back after it.
    for (std::size_t i = ranges_.size(); i-- > 0;) {
        const SavedRange& range = ranges_[i];
        auto it = slots_.find(range.page);
        if (it == slots_.end()) continue;
        std::copy_n(rangeBytes_.begin() + static_cast<std::ptrdiff_t>(range.at), range.length,
                    it->second.bytes.begin() + static_cast<std::ptrdiff_t>(range.offset));
        if (it->second.dirty != range.dirty) {
            it->second.dirty = range.dirty;
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
    // Pages in increasing order so that a growing file is extended front to back: marked in
    // one bit per page of the file and taken in order, which costs less code than a sort;
    // the slots are found again by number.
    std::vector<bool> pending(pageCount_);
    for (const auto& [page, slot] : slots_) {
        if (!slot.dirty) continue;
        // Loading refuses pages beyond the file and a roll-back forgets appended ones, so
        // this cannot happen; if it ever did, the bit would be written outside its vector.
        if (page >= pageCount_) throw std::logic_error("page cache: a waiting page beyond the file");
        pending[page] = true;
    }
    for (PageNumber page = 0; page < pending.size(); ++page) {
        if (!pending[page]) continue;
        Slot& slot = slots_.find(page)->second;
        source_->write(std::uint64_t(page) * kPageSize, bytesOf(slot.bytes));
        slot.dirty = false;
    }
    dirtyCount_ = 0;
    writtenPageCount_ = pageCount_;
    trim();
}

}  // namespace jet::write
