// Page access with bounds checks and a least-recently-used cache.
#include "jet/page_file.h"

#include "jet/jet_error.h"

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

void PageFile::fail(std::uint32_t page, const std::string& what) const {
    throw JetError(source_->name(), page, what);
}

PageRef PageFile::page(std::uint32_t number) {
    if (number == 0 || number >= pageCount_)
        fail(number, "page number outside the file (" + std::to_string(pageCount_) + " pages)");
    auto found = cache_.find(number);
    if (found != cache_.end()) {
        recent_.splice(recent_.begin(), recent_, found->second.second);
        return found->second.first;
    }
    auto bytes = std::make_shared<std::vector<std::uint8_t>>(kPageSize);
    source_->read(std::uint64_t(number) * kPageSize, *bytes);
    if (cache_.size() >= kCachedPages) {
        cache_.erase(recent_.back());
        recent_.pop_back();
    }
    recent_.push_front(number);
    cache_.emplace(number, std::make_pair(PageRef(bytes), recent_.begin()));
    return bytes;
}

PageRef PageFile::page(std::uint32_t number, PageType type, const char* what) {
    PageRef bytes = page(number);
    if ((*bytes)[0] != static_cast<std::uint8_t>(type))
        fail(number, std::string("expected ") + what + " page, found page type " +
                         std::to_string((*bytes)[0]));
    return bytes;
}

void PageFile::forget(std::uint32_t number) {
    auto found = cache_.find(number);
    if (found == cache_.end()) return;
    recent_.erase(found->second.second);
    cache_.erase(found);
}

void PageFile::forgetAll() {
    cache_.clear();
    recent_.clear();
}

}  // namespace jet
