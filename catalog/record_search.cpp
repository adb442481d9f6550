// Record-by-record and indexed searches.
#include "catalog/record_search.h"

#include "catalog/field_value.h"
#include "platform/concat.h"

namespace catalog {

RecordFields::RecordFields(Table& table, const std::vector<std::string>& columns) {
    fields_.reserve(columns.size());
    for (const auto& name : columns) fields_.push_back(table.fieldByName(name));
}

bool TracingSearch::walk(Table& table, const RecordFields& fields, const jet::Value& key, std::string_view lead,
                         std::string_view tail) {
    table.first();
    state_.findRec = false;
    while (!table.eof() && !state_.findRec) {
        const jet::Value& candidate = fields[t_.keyColumn].valueRef();
        state_.trace(platform::concat({lead, valueAsText(candidate), tail}));
        if (valuesEqual(candidate, key))
            state_.findRec = true;
        else
            table.next();
    }
    return state_.findRec;
}

bool TracingSearch::firstNewMatch(const jet::Value& key) {
    return walk(t_.newTable, t_.newFields, key, {}, platform::concat({" : ", valueAsText(key)}));
}

bool TracingSearch::destinationHolds(const jet::Value& key) {
    return walk(t_.destination, t_.destinationFields, key, t_.destinationLinePrefix, {});
}

IndexedSearch::IndexedSearch(MergeState& state, SearchTables tables)
    : state_(state), newTable_(tables.newTable) {
    const Field& newKey = tables.newFields[tables.keyColumn];
    for (newTable_.first(); !newTable_.eof(); newTable_.next())
        // A repeated key keeps its first record, as a search from the top finds it.
        firstNewByKey_.insert(newKey.valueRef(), newTable_.bookmark().encode());
    const Field& destinationKey = tables.destinationFields[tables.keyColumn];
    for (tables.destination.first(); !tables.destination.eof(); tables.destination.next())
        destinationKeys_.insert(destinationKey.valueRef(), 0);
}

bool IndexedSearch::firstNewMatch(const jet::Value& key) {
    const auto bookmark = firstNewByKey_.find(key);
    state_.findRec = bookmark.has_value();
    if (bookmark) newTable_.gotoBookmark(Table::Bookmark::decode(*bookmark));
    return state_.findRec;
}

bool IndexedSearch::destinationHolds(const jet::Value& key) {
    state_.findRec = destinationKeys_.find(key).has_value();
    return state_.findRec;
}

void IndexedSearch::posted(const jet::Value& key) { destinationKeys_.insert(key, 0); }

std::unique_ptr<RecordSearch> makeRecordSearch(MergeState& state, SearchTables tables) {
    if (state.traceSearches()) return std::make_unique<TracingSearch>(state, tables);
    return std::make_unique<IndexedSearch>(state, tables);
}

}  // namespace catalog
