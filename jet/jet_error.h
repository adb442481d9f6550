// The one exception the Jet engine throws for a file it cannot read or write: a damaged or
// unsupported database, a missing table or column. The message names the file and the page
// or table concerned, so that whoever shows it needs no context of their own.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/file_error.h"

namespace jet {

// What failed, for callers that word errors in their users' language. The English detail
// says more, for traces.
enum class JetFault {
    Damaged,       // the bytes contradict the format (the page says where)
    NotJet4,       // no Jet 4 database: too short, another format or version, encrypted
    CannotOpen,    // the system refused to open the file (systemReason() says why)
    CannotCreate,  // the system refused to make the file, or it exists already
    CannotRead,    // the system failed a read
    CannotWrite,   // the system failed a write or a flush
    ReadOnly,      // a write to a database opened for reading
    NoSuchTable,   // table() names no table
    NoSuchColumn,  // column() names no column of table()
};

class JetError : public std::runtime_error {
public:
    // Out of line, as every constructor builds its message: one copy of each for all throws.
    // Views, so that a literal builds no std::string at the throw site.
    // "FILE: WHAT"
    JetError(std::string_view file, std::string_view what);
    JetError(JetFault fault, std::string_view file, std::string_view what);
    // "FILE, page N: WHAT"
    JetError(std::string_view file, std::uint32_t page, std::string_view what);
    // "FILE, table NAME: WHAT"
    JetError(std::string_view file, std::string_view table, std::string_view what);
    JetError(JetFault fault, std::string_view file, std::string_view table, std::string_view what);

    // A failure of the system on the file: the kind of failure and the system's own message.
    static JetError system(JetFault fault, std::string_view file, std::string_view what,
                           std::string_view reason,
                           platform::FileFailure failure = platform::FileFailure::Other);
    static JetError noSuchColumn(std::string_view file, std::string_view table,
                                 std::string_view column);

    JetFault fault() const { return fault_; }
    // The column concerned, or empty.
    const std::string& column() const { return column_; }
    // The system's message for CannotOpen, CannotCreate, CannotRead and CannotWrite.
    const std::string& systemReason() const { return systemReason_; }
    // Why the system refused, for the same faults (Other when it is not known).
    platform::FileFailure systemFailure() const { return systemFailure_; }
    const std::string& file() const { return file_; }
    // The page concerned, or kNoPage.
    std::uint32_t page() const { return page_; }
    // The table concerned, or empty.
    const std::string& table() const { return table_; }
    // The message without the file, page and table in front.
    const std::string& detail() const { return detail_; }

    static constexpr std::uint32_t kNoPage = 0xFFFFFFFFu;

private:
    JetFault fault_ = JetFault::Damaged;
    std::string file_;
    std::uint32_t page_ = kNoPage;
    std::string column_;
    std::string systemReason_;
    platform::FileFailure systemFailure_ = platform::FileFailure::Other;
    std::string table_;
    std::string detail_;
};

// What a decoder throws when bytes end before a field does; the layer that knows the file
// and page turns it into a JetError.
class TruncatedData : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws, out of line, a message joined from pieces (one copy of the joining and throwing
// code instead of one per site). Number pieces: platform::DecimalPiece.
// JetError "FILE: WHAT".
[[noreturn]] void throwJetError(JetFault fault, std::string_view file, std::initializer_list<std::string_view> what);
// A damaged page: JetError "FILE, page N: WHAT".
[[noreturn]] void throwJetError(std::string_view file, std::uint32_t page, std::string_view what);
[[noreturn]] void throwTruncated(std::initializer_list<std::string_view> what);
// What encoders throw for a value or definition they cannot write (std::invalid_argument).
[[noreturn]] void throwInvalidArgument(std::initializer_list<std::string_view> what);

}  // namespace jet
