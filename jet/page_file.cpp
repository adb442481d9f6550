// Page access with bounds checks and a least-recently-used cache.
#include "jet/page_file.h"

#include <algorithm>
#include <cstring>

#include "jet/jet_error.h"
#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace jet {

PageFile::PageFile(std::unique_ptr<PageSource> source) : source_(std::move(source)) {
    std::uint64_t size = source_->size();
    if (size < kPageSize)
        throw JetError(JetFault::NotJet4, source_->name(), "not a Jet database: shorter than one 4096-byte page");
    std::vector<std::uint8_t> page0(kPageSize);
    source_->read(0, page0);
    header_ = readDatabaseHeader(page0, source_->name());
    std::uint64_t pages = size / kPageSize;  // a torn last page is not addressable
    pageCount_ = pages > 0x00FFFFFFu ? 0x00FFFFFFu : static_cast<std::uint32_t>(pages);
}

void PageFile::fail(std::uint32_t page, std::string_view what) const {
    throw JetError(source_->name(), page, what);
}

void PageFile::fail(std::uint32_t page, std::initializer_list<std::string_view> what) const {
    fail(page, platform::concat(what));
}

PageRef PageFile::page(std::uint32_t number) {
    if (number == 0 || number >= pageCount_)
        fail(number, {"page number outside the file (", platform::DecimalPiece(pageCount_), " pages)"});
    CachedPage* slot = &cache_.front();
    for (CachedPage& cached : cache_) {
        if (cached.number == number) {
            cached.lastUse = ++uses_;
            return cached.bytes;
        }
        if (cached.lastUse < slot->lastUse) slot = &cached;  // empty slots have 0
    }
    auto bytes = std::shared_ptr<std::vector<std::uint8_t>>(new std::vector<std::uint8_t>(kPageSize));
    if (number == lastMiss_ + 1 && (number < aheadFirst_ || number >= aheadFirst_ + aheadCount_)) {
        try {
            readAhead(number);
        } catch (const JetError&) {
            // Pages beyond this one may be gone (the file shrank); this one is read alone and
            // reports its own error.
        }
    }
    lastMiss_ = number;
    if (number >= aheadFirst_ && number < aheadFirst_ + aheadCount_)
        std::memcpy(bytes->data(), ahead_.data() + std::size_t(number - aheadFirst_) * kPageSize, kPageSize);
    else
        source_->read(std::uint64_t(number) * kPageSize, *bytes);
    *slot = CachedPage{number, ++uses_, bytes};
    return bytes;
}

void PageFile::readAhead(std::uint32_t number) {
    std::uint32_t count = std::min(kReadAheadPages, pageCount_ - number);
    aheadCount_ = 0;  // stays empty if the read fails
    ahead_.resize(std::size_t(count) * kPageSize);
    source_->read(std::uint64_t(number) * kPageSize, ahead_);
    aheadFirst_ = number;
    aheadCount_ = count;
}

PageRef PageFile::page(std::uint32_t number, PageType type, const char* what) {
    PageRef bytes = page(number);
    if ((*bytes)[0] != static_cast<std::uint8_t>(type))
        fail(number, {"expected ", what, " page, found page type ", platform::DecimalPiece((*bytes)[0])});
    return bytes;
}

void PageFile::forget(std::uint32_t number) {
    if (number >= aheadFirst_ && number < aheadFirst_ + aheadCount_) aheadCount_ = 0;
    for (CachedPage& cached : cache_)
        if (cached.number == number) cached = CachedPage{};
}

void PageFile::forgetAll() {
    aheadCount_ = 0;
    for (CachedPage& cached : cache_) cached = CachedPage{};
}

}  // namespace jet
