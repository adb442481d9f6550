// The pages of a writer's cache as a read-only page source, so that the reader sees the
// database as it stands in the writer, unflushed changes included.
#pragma once

#include "jet/page_source.h"
#include "jet/write/page_cache.h"

namespace jet::write {

// Pages as the writer's cache holds them, for the reader.
class CacheView final : public PageSource {
public:
    explicit CacheView(PageCache& cache) : cache_(cache) {}
    const std::string& name() const override { return cache_.fileName(); }
    std::uint64_t size() const override { return std::uint64_t(cache_.pageCount()) * kPageSize; }
    void read(std::uint64_t offset, MutableBytes out) override {
        if (offset > size() || out.size() > size() - offset)
            throwJetError(JetFault::Damaged, name(), {"read past the end of the database"});
        std::size_t done = 0;
        while (done < out.size()) {
            const std::uint64_t at = offset + done;
            const Page& page = cache_.read(static_cast<PageNumber>(at / kPageSize));
            const std::size_t from = static_cast<std::size_t>(at % kPageSize);
            const std::size_t count = std::min(out.size() - done, kPageSize - from);
            std::copy(page.begin() + from, page.begin() + from + count, out.begin() + done);
            done += count;
        }
    }
    bool writable() const override { return false; }
    void write(std::uint64_t, Bytes) override { throw JetError(JetFault::ReadOnly, name(), "the view is read-only"); }
    void flush() override {}

private:
    PageCache& cache_;
};


}  // namespace jet::write
