// The two searches of a table merge, in two ways with one result. The old pass asks for the
// first record of the new table whose key equals an old key (in table order); the new pass
// asks whether the destination already holds a key. TracingSearch walks the tables from the
// first record each time and writes the debug trace lines; IndexedSearch reads each table
// once into a hash index, so the merge is linear in the number of records.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "catalog/merge_state.h"
#include "catalog/table.h"
#include "jet/value.h"

namespace catalog {

// A record's values in the merge's column order.
using Record = std::vector<jet::Value>;

// The columns of one table merge, resolved on an open table (a missing one throws).
class RecordFields {
public:
    RecordFields(Table& table, const std::vector<std::string>& columns);
    Record read() const;
    const Field& operator[](std::size_t i) const { return fields_[i]; }
    Field& operator[](std::size_t i) { return fields_[i]; }
    std::size_t size() const { return fields_.size(); }

private:
    std::vector<Field> fields_;
};

class RecordSearch {
public:
    virtual ~RecordSearch() = default;
    // The first new record whose key equals `key`, or null; sets findRec. Valid until the
    // next call.
    virtual const Record* firstNewMatch(const jet::Value& key) = 0;
    // Whether the destination holds `key`; sets findRec.
    virtual bool destinationHolds(const jet::Value& key) = 0;
    // A record with `key` has just been posted to the destination.
    virtual void posted(const jet::Value& key) = 0;
    // The new table's records in table order when the search already holds them (so the new
    // pass need not read the table again), null otherwise.
    virtual std::vector<Record>* newRecords() { return nullptr; }
};

struct SearchTables {
    Table& newTable;
    const RecordFields& newFields;
    Table& destination;
    const RecordFields& destinationFields;
    std::size_t keyColumn;
    std::string destinationLinePrefix;  // "[DN] "
};

class TracingSearch : public RecordSearch {
public:
    TracingSearch(MergeState& state, SearchTables tables) : state_(state), t_(tables) {}
    const Record* firstNewMatch(const jet::Value& key) override;
    bool destinationHolds(const jet::Value& key) override;
    void posted(const jet::Value&) override {}

private:
    MergeState& state_;
    SearchTables t_;
    Record match_;
};

class IndexedSearch : public RecordSearch {
public:
    // Reads the new table and the destination's keys once; leaves both tables at their end.
    IndexedSearch(MergeState& state, SearchTables tables);
    const Record* firstNewMatch(const jet::Value& key) override;
    bool destinationHolds(const jet::Value& key) override;
    void posted(const jet::Value& key) override;
    std::vector<Record>* newRecords() override { return &newRecords_; }

private:
    MergeState& state_;
    std::vector<Record> newRecords_;
    std::unordered_map<std::string, std::size_t> firstNewByKey_;
    std::unordered_set<std::string> destinationKeys_;
};

std::unique_ptr<RecordSearch> makeRecordSearch(MergeState& state, SearchTables tables);

}  // namespace catalog
