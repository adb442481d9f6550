// The one exception the Jet engine throws for a file it cannot read or write: a damaged or
// unsupported database, a missing table or column. The message names the file and the page
// or table concerned, so that whoever shows it needs no context of their own.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace jet {

class JetError : public std::runtime_error {
public:
    // "FILE: WHAT"
    JetError(const std::string& file, const std::string& what)
        : std::runtime_error(file + ": " + what), file_(file), detail_(what) {}
    // "FILE, page N: WHAT"
    JetError(const std::string& file, std::uint32_t page, const std::string& what)
        : std::runtime_error(file + ", page " + std::to_string(page) + ": " + what),
          file_(file), page_(page), detail_(what) {}
    // "FILE, table NAME: WHAT"
    JetError(const std::string& file, const std::string& table, const std::string& what)
        : std::runtime_error(file + ", table " + table + ": " + what),
          file_(file), table_(table), detail_(what) {}

    const std::string& file() const { return file_; }
    // The page concerned, or kNoPage.
    std::uint32_t page() const { return page_; }
    // The table concerned, or empty.
    const std::string& table() const { return table_; }
    // The message without the file, page and table in front.
    const std::string& detail() const { return detail_; }

    static constexpr std::uint32_t kNoPage = 0xFFFFFFFFu;

private:
    std::string file_;
    std::uint32_t page_ = kNoPage;
    std::string table_;
    std::string detail_;
};

// What a decoder throws when bytes end before a field does; the layer that knows the file
// and page turns it into a JetError.
class TruncatedData : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace jet
