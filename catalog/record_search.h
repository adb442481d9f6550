// The two searches of a table merge, in two ways with one result. The old pass asks for the
// first record of the new table whose key equals an old key (in table order); the new pass
// asks whether the destination already holds a key. TracingSearch walks the tables from the
// first record each time and writes the debug trace lines; IndexedSearch reads the keys of each
// table once into a hash index, so the merge is linear in the number of records, and goes back
// to a match by its bookmark, so it holds keys, never records.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/key_index.h"
#include "catalog/merge_state.h"
#include "catalog/table.h"
#include "jet/value.h"

namespace catalog {

// The columns of one table merge, resolved on an open table (a missing one throws).
class RecordFields {
public:
    RecordFields(Table& table, const std::vector<std::string>& columns);
    const Field& operator[](std::size_t i) const { return fields_[i]; }
    Field& operator[](std::size_t i) { return fields_[i]; }
    std::size_t size() const { return fields_.size(); }

private:
    std::vector<Field> fields_;
};

class RecordSearch {
public:
    virtual ~RecordSearch() = default;
    // Whether the new table holds `key`; sets findRec. When it does, the new table stands at
    // its first record with that key.
    virtual bool firstNewMatch(const jet::Value& key) = 0;
    // Whether the destination holds `key`; sets findRec.
    virtual bool destinationHolds(const jet::Value& key) = 0;
    // A record with `key` has just been posted to the destination.
    virtual void posted(const jet::Value& key) = 0;
};

struct SearchTables {
    Table& newTable;
    const RecordFields& newFields;
    Table& destination;
    const RecordFields& destinationFields;
    std::size_t keyColumn;
    std::string_view destinationLinePrefix;  // "[DN] "
};

class TracingSearch : public RecordSearch {
public:
    TracingSearch(MergeState& state, SearchTables tables) : state_(state), t_(tables) {}
    bool firstNewMatch(const jet::Value& key) override;
    bool destinationHolds(const jet::Value& key) override;
    void posted(const jet::Value&) override {}

private:
    // Walks `table` from its first record to the first whose key equals `key`, tracing each
    // key passed as `lead` key `tail`; sets findRec. Both searches are this walk.
    bool walk(Table& table, const RecordFields& fields, const jet::Value& key, std::string_view lead,
              std::string_view tail);

    MergeState& state_;
    SearchTables t_;
};

class IndexedSearch : public RecordSearch {
public:
    // Reads the keys of the new table and the destination once; leaves both tables at their end.
    IndexedSearch(MergeState& state, SearchTables tables);
    bool firstNewMatch(const jet::Value& key) override;
    bool destinationHolds(const jet::Value& key) override;
    void posted(const jet::Value& key) override;

private:
    MergeState& state_;
    Table& newTable_;
    KeyIndex firstNewByKey_;  // the bookmark of a key's first new record
    KeyIndex destinationKeys_;
};

std::unique_ptr<RecordSearch> makeRecordSearch(MergeState& state, SearchTables tables);

}  // namespace catalog
