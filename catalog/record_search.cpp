// Record-by-record and indexed searches.
#include "catalog/record_search.h"

#include "catalog/field_value.h"
#include "catalog/match_key.h"

namespace catalog {

RecordFields::RecordFields(Table& table, const std::vector<std::string>& columns) {
    fields_.reserve(columns.size());
    for (const auto& name : columns) fields_.push_back(table.fieldByName(name));
}

Record RecordFields::read() const {
    Record record;
    record.reserve(fields_.size());
    for (const Field& f : fields_) record.push_back(f.valueRef());
    return record;
}

const Record* TracingSearch::firstNewMatch(const jet::Value& key) {
    const std::string keyText = valueAsText(key);
    t_.newTable.first();
    state_.findRec = false;
    while (!t_.newTable.eof() && !state_.findRec) {
        const jet::Value candidate = t_.newFields[t_.keyColumn].value();
        state_.trace(valueAsText(candidate) + " : " + keyText);
        if (valuesEqual(candidate, key))
            state_.findRec = true;
        else
            t_.newTable.next();
    }
    if (!state_.findRec) return nullptr;
    match_ = t_.newFields.read();
    return &match_;
}

bool TracingSearch::destinationHolds(const jet::Value& key) {
    t_.destination.first();
    state_.findRec = false;
    while (!t_.destination.eof() && !state_.findRec) {
        const jet::Value candidate = t_.destinationFields[t_.keyColumn].value();
        state_.trace(t_.destinationLinePrefix + valueAsText(candidate));
        if (valuesEqual(key, candidate))
            state_.findRec = true;
        else
            t_.destination.next();
    }
    return state_.findRec;
}

IndexedSearch::IndexedSearch(MergeState& state, SearchTables tables) : state_(state) {
    for (tables.newTable.first(); !tables.newTable.eof(); tables.newTable.next()) {
        Record record = tables.newFields.read();
        // emplace keeps the first record of a repeated key, as a search from the top finds it.
        firstNewByKey_.emplace(matchKey(record[tables.keyColumn]), newRecords_.size());
        newRecords_.push_back(std::move(record));
    }
    for (tables.destination.first(); !tables.destination.eof(); tables.destination.next())
        destinationKeys_.insert(matchKey(tables.destinationFields[tables.keyColumn].value()));
}

const Record* IndexedSearch::firstNewMatch(const jet::Value& key) {
    const auto it = firstNewByKey_.find(matchKey(key));
    state_.findRec = it != firstNewByKey_.end();
    return state_.findRec ? &newRecords_[it->second] : nullptr;
}

bool IndexedSearch::destinationHolds(const jet::Value& key) {
    state_.findRec = destinationKeys_.count(matchKey(key)) != 0;
    return state_.findRec;
}

void IndexedSearch::posted(const jet::Value& key) { destinationKeys_.insert(matchKey(key)); }

std::unique_ptr<RecordSearch> makeRecordSearch(MergeState& state, SearchTables tables) {
    if (state.traceSearches) return std::make_unique<TracingSearch>(state, tables);
    return std::make_unique<IndexedSearch>(state, tables);
}

}  // namespace catalog
