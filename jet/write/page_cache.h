// The writer's view of a database file: 4096-byte pages read on demand, changed in memory and
// written back on flush. Each change to the file runs as one unit: the cache keeps the
// pages' images from before it, so a change that fails half-way leaves the file as it was.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "jet/byte_codec.h"
#include "jet/page_source.h"
#include "jet/write/page.h"

namespace jet::write {

class PageCache {
public:
    explicit PageCache(std::unique_ptr<PageSource> source);
    ~PageCache();
    PageCache(const PageCache&) = delete;
    PageCache& operator=(const PageCache&) = delete;

    const std::string& fileName() const { return source_->name(); }
    PageNumber pageCount() const { return pageCount_; }

    // The page's bytes; throws JetError for a page past the end of the file.
    const Page& read(PageNumber page);
    // The page's bytes to change in place; the page is written at the next flush.
    Page& modify(PageNumber page);
    // The same for a change confined to byte ranges (offset, length) of the page: only those
    // bytes are saved for rollback, not the whole page. The caller changes nothing else.
    struct Range {
        std::size_t offset, length;
    };
    Page& modifyRanges(PageNumber page, std::initializer_list<Range> ranges);
    // A new zero-filled page at the end of the file.
    PageNumber append();

    // A change groups modifications: rollback() puts every page touched since begin()
    // back as it was and forgets appended pages. Changes do not nest.
    void begin();
    void commit();
    void rollback();
    bool inChange() const { return changing_; }

    // Writes every modified page and flushes the file. Not allowed inside a change.
    void flush();
    // Writes every modified page without waiting for the disk, to keep memory bounded;
    // flush() is what makes them durable. Not allowed inside a change.
    void writeOut();
    // True when modified pages wait for flush().
    bool dirty() const { return dirtyCount_ > 0 || pageCount_ != writtenPageCount_; }
    std::size_t dirtyPages() const { return dirtyCount_; }

private:
    struct Slot {
        Page bytes;
        bool dirty = false;
        std::uint64_t savedIn = 0;  // the change whose before-image holds this page
    };
    Slot& load(PageNumber page);
    Slot* find(PageNumber page) { return page < slots_.size() ? slots_[page].get() : nullptr; }
    Slot& place(PageNumber page, std::unique_ptr<Slot> slot);
    void forget(PageNumber page);
    void remember(PageNumber page, Slot& slot);
    void trim();
    void endChange();

    std::unique_ptr<PageSource> source_;
    // The pages in memory, by page number (null: not loaded). One pointer per page of the
    // file costs less than a hash table's code in the installer, and flushing walks the pages
    // in order anyway. A slot never moves, so a page's bytes stay where they are until the
    // page is dropped.
    std::vector<std::unique_ptr<Slot>> slots_;
    std::size_t loaded_ = 0;
    PageNumber pageCount_ = 0;
    PageNumber writtenPageCount_ = 0;
    std::size_t dirtyCount_ = 0;

    // A page's image from before the change, taken the first time the change touches it.
    // The images' storage is kept from change to change: an append touches a few pages and
    // then copies them, allocating nothing.
    struct Before {
        PageNumber page = 0;
        bool existed = false;  // false: the change appended the page
        bool dirty = false;
        Page bytes;
    };
    bool changing_ = false;
    std::uint64_t change_ = 0;  // numbers the changes, starting at 1
    std::vector<Before> before_;
    std::size_t beforeCount_ = 0;
    // Saved byte ranges, undone last first after the whole pages are put back.
    struct SavedRange {
        PageNumber page;
        std::size_t offset, length, at;  // `at`: where in rangeBytes_
        bool dirty;                      // the page's state before this range was saved
    };
    std::vector<SavedRange> ranges_;
    std::vector<std::uint8_t> rangeBytes_;
    PageNumber pageCountBefore_ = 0;
};

}  // namespace jet::write
