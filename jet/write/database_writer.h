// Writes Jet 4 databases: creates a new file with the engine's system tables, adds user
// tables, and appends rows to any table of a new or existing file (Access-made ones too),
// keeping the indexes, usage maps, the global page map and the row counts right.
// Every append is all-or-nothing: a refused or failed row leaves the file as it was.
// Pages are written on flush() and close(), and whenever many pages wait, so memory does
// not grow with the number of rows.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "jet/page_source.h"
#include "jet/value.h"
#include "jet/write/index_tree.h"
#include "jet/write/page_allocator.h"
#include "jet/write/page_cache.h"
#include "jet/write/row_refused.h"
#include "jet/write/table_refused.h"
#include "jet/write/table_definition.h"
#include "jet/write/table_shape.h"

namespace jet::write {

class DatabaseWriter {
public:
    // Creates the new file `path` through `files` with the system tables and no user table.
    // An existing file of that name is left alone. Throws JetError when the file cannot be
    // made; a file this call made and could not complete is deleted (where it can be).
    static std::unique_ptr<DatabaseWriter> create(platform::FileSystem& files,
                                                  const std::string& path);
    // Opens an existing Jet 4 file through `files` for appending. Throws JetError.
    static std::unique_ptr<DatabaseWriter> open(platform::FileSystem& files,
                                                const std::string& path);
    // The same on bytes in memory or any other source (tests).
    static std::unique_ptr<DatabaseWriter> createOn(std::unique_ptr<PageSource> source,
                                                    double now);
    static std::unique_ptr<DatabaseWriter> openOn(std::unique_ptr<PageSource> source);

    ~DatabaseWriter();
    DatabaseWriter(const DatabaseWriter&) = delete;
    DatabaseWriter& operator=(const DatabaseWriter&) = delete;

    const std::string& fileName() const { return cache_.fileName(); }

    // Adds a user table. Throws TableRefused for a shape the writer cannot make: a bad or
    // repeated name, an unsupported type or size, a key over a missing or non-integer
    // column; JetError for file problems.
    void createTable(const TableShape& shape);

    // Names of the user tables, in catalog order.
    std::vector<std::string> tableNames();
    // The definition of a table (names compared without ASCII case, as the engine does);
    // throws JetError when there is no such table.
    const TableDefinition& table(const std::string& name);

    // Appends one row; `values` is indexed by column number (as in table(name).columns'
    // numbers) and may be shorter (missing values are null). Throws RowRefused when the row
    // does not suit the table, JetError for file problems; either way nothing is written.
    void appendRow(const std::string& tableName, const std::vector<Value>& values);

    // Counts the changes made through this object, so that readers know when to look again.
    std::uint64_t generation() const { return generation_; }
    // The database as it stands in this writer (unflushed changes included), as a read-only
    // source for the reader (jet::Database). Valid while the writer lives.
    std::unique_ptr<PageSource> readView();

    // Writes every waiting page and asks the system to put them on the disk; throws
    // JetError when it cannot (the pages stay waiting, so a later flush tries again).
    void flush();
    // Flushes; the object must not be used afterwards. The destructor flushes too, but
    // cannot report: whoever needs the rows on disk calls close().
    void close();

private:
    struct OpenTable {
        std::string name;
        PageNumber tdefPage = 0;
        TableDefinition definition;
        PageNumber currentPage = 0;  // data page rows are appended to, 0 before the first
        bool currentPageKnown = false;
        std::vector<std::unique_ptr<IndexTree>> trees;  // one per physical index, made on use
    };
    IndexTree& tree(OpenTable& table, std::size_t index);

    explicit DatabaseWriter(std::unique_ptr<PageSource> source);
    void buildNewDatabase(double now);
    void loadCatalog();
    // `tableName` names the table in a refusal.
    PageNumber createTableDefinition(TableDefinition definition, std::string_view tableName);
    void appendUnchecked(OpenTable& table, const std::vector<Value>& values,
                         const std::vector<std::uint8_t>* encoded = nullptr);
    OpenTable& openTable(const std::string& name);
    OpenTable& systemTable(PageNumber tdefPage, std::string_view name);
    void findCurrentPage(OpenTable& table);
    void forgetTableState();

    PageCache cache_;
    PageAllocator allocator_;
    double now_ = 0;
    // The user tables as loaded and created, in catalog order. A catalog has few tables, and
    // appends find theirs through lastTable_: a linear search costs less code than a map.
    struct NamedTable {
        std::string name;
        PageNumber tdefPage;
    };
    std::vector<NamedTable> tables_;
    // The table of that name (without ASCII case, as the engine compares names; the last one
    // should a damaged catalog name two alike), or nullptr.
    const NamedTable* findTable(std::string_view name) const;
    std::vector<std::uint8_t> databaseOwner_;
    std::vector<std::vector<std::uint8_t>> tableSids_;
    PageNumber acesPage_ = 0;
    std::vector<std::unique_ptr<OpenTable>> open_;  // few: a linear search by TDEF page
    std::string lastName_;            // as the last appendRow named it
    OpenTable* lastTable_ = nullptr;  // in open_
    bool closed_ = false;
    std::uint64_t generation_ = 0;
};

}  // namespace jet::write
