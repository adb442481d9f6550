// The two-pass table merge and the rules of its two tables.
#include "catalog/table_merge.h"

#include <memory>

#include "catalog/catalog_error.h"
#include "catalog/catalog_schema.h"
#include "catalog/connection.h"
#include "catalog/field_value.h"
#include "catalog/record_search.h"
#include "catalog/table.h"

namespace catalog {

namespace {

std::vector<std::string> namesOf(SchemaColumns columns) {
    std::vector<std::string> names;
    for (const auto& c : columns) names.emplace_back(c.name);
    return names;
}

std::size_t indexOf(const std::vector<std::string>& names, std::string_view name) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return i;
    return 0;
}

// A table's rules with its columns in copying order and the key and `Nazwa` found among them.
TableMergeRules rulesOf(const char* table, SchemaColumns columns, std::string_view key) {
    TableMergeRules r;
    r.table = table;
    r.columns = namesOf(columns);
    r.keyColumn = indexOf(r.columns, key);
    r.nameColumn = indexOf(r.columns, "Nazwa");
    return r;
}

Table& openTable(std::unique_ptr<Table>& slot, const std::unique_ptr<Connection>& connection,
                 const std::string& dataSource, const std::string& name, bool readOnly) {
    if (!slot) slot = std::make_unique<Table>();
    slot->close();
    slot->setConnection(connection.get());
    slot->setReadOnly(readOnly);
    slot->setConnectionString(dataSource);
    slot->setTableName(name);
    slot->open();
    slot->first();
    return *slot;
}

class TableMerge {
public:
    TableMerge(MergeState& state, const TableMergeRules& rules)
        : state_(state), rules_(rules), counts_(state.*rules.counts) {}

    void run() {
        auto& c = state_.components;
        Table& destination = openTable(c.DNTable, c.DNconnection, state_.DNDataSource, rules_.table, false);
        Table& newTable = openTable(c.NWTable, c.NWconnection, state_.NWDataSource, rules_.table, true);
        Table* oldTable = nullptr;
        if (state_.oldTakesPart)
            oldTable = &openTable(c.ODTable, c.ODConnection, state_.ODDataSource, rules_.table, true);

        RecordFields destinationFields(destination, rules_.columns);
        RecordFields newFields(newTable, rules_.columns);
        destination_ = &destination;
        destinationFields_ = &destinationFields;
        search_ = makeRecordSearch(state_, SearchTables{newTable, newFields, destination, destinationFields,
                                                        rules_.keyColumn, "[DN] "});
        if (oldTable) {
            RecordFields oldFields(*oldTable, rules_.columns);
            oldPass(*oldTable, oldFields, newFields);
        }
        newPass(newTable, newFields);

        destination.close();
        newTable.close();
        if (oldTable) oldTable->close();
    }

private:
    bool isMarker(const jet::Value& name) const { return valueAsText(name) == kDeleteMarker; }

    // A record's trace line, `lead` key `between` name `tail` (a null key or name reads as
    // empty), made only in debug mode. One function for the passes' lines: each built in
    // place would inline its own joins and temporaries.
    [[gnu::noinline]] void traceRecord(std::string_view lead, const jet::Value& key, std::string_view between = {},
                                       const jet::Value* name = nullptr, std::string_view tail = {}) const {
        if (!state_.traceSearches()) return;
        state_.log.info(2, {lead, valueAsText(key), between, name ? valueAsText(*name) : std::string(), tail});
    }

    // Only the key and the name are read before a record is known to be copied.
    void oldPass(Table& oldTable, const RecordFields& oldFields, const RecordFields& newFields) {
        for (oldTable.first(); !oldTable.eof(); oldTable.next()) {
            const jet::Value& key = oldFields[rules_.keyColumn].valueRef();
            const jet::Value& name = oldFields[rules_.nameColumn].valueRef();
            traceRecord("[", key, "] : ", &name);
            if (search_->firstNewMatch(key)) {
                // The new table stands at the match.
                if (isMarker(newFields[rules_.nameColumn].valueRef()))
                    ++counts_.removedByMarkers;
                else
                    copyCurrent(newFields, counts_.fromNew);
            } else if (rules_.carryOldMarkers || !isMarker(name)) {
                copyCurrent(oldFields, counts_.keptFromOld);
            } else {
                ++counts_.removedByMarkers;
            }
        }
    }

    void newPass(Table& newTable, const RecordFields& newFields) {
        state_.trace(rules_.newPassHeading);
        for (newTable.first(); !newTable.eof(); newTable.next()) {
            const jet::Value& key = newFields[rules_.keyColumn].valueRef();
            const jet::Value& name = newFields[rules_.nameColumn].valueRef();
            // A null code is traced as empty text.
            if (rules_.newLineForEveryRecord) traceRecord("[NW] ", key);
            if (isMarker(name)) continue;
            if (!rules_.newLineForEveryRecord) traceRecord("[NW] ", key, " : ", &name, " - dopisano");
            if (!search_->destinationHolds(key)) copyCurrent(newFields, counts_.fromNew);
        }
    }

    // Copies a table's current record to the destination, straight from its fields.
    void copyCurrent(const RecordFields& fields, std::size_t& source) {
        destination_->insert();
        for (std::size_t i = 0; i < fields.size(); ++i) (*destinationFields_)[i].setValue(fields[i].valueRef());
        post(fields[rules_.keyColumn].valueRef(), source);
    }

    void post(const jet::Value& key, std::size_t& source) {
        try {
            destination_->post();
        } catch (const CatalogError& e) {
            // A table without a key: the engine names the record by its place, the user knows it
            // by its code.
            if (!rules_.refusalsNameKey)
                failCatalog({e.what(), " Rekord: `", rules_.columns[rules_.keyColumn], "` = `", valueAsText(key), "`."});
            throw;
        }
        search_->posted(key);
        ++counts_.written;
        ++source;
    }

    MergeState& state_;
    const TableMergeRules& rules_;
    TableMergeCounts& counts_;
    Table* destination_ = nullptr;
    RecordFields* destinationFields_ = nullptr;
    std::unique_ptr<RecordSearch> search_;
};

}  // namespace

// Made at each merge (twice an installation) rather than kept in a function's static, which
// would bring the C++ runtime's guards into the installer.
TableMergeRules infoProducentRules() {
    TableMergeRules r = rulesOf("info_producent", infoProducentColumns(), "Producent");
    r.carryOldMarkers = true;
    r.newPassHeading = "Przenosimy z dodatki_new.mdb";
    r.newLineForEveryRecord = true;
    r.counts = &MergeState::infoProducent;
    return r;
}

// Unlike info_producent: markers are not carried, and only records that are no marker get a
// line in the new pass.
TableMergeRules dodatkiRules() {
    TableMergeRules r = rulesOf("Dodatki", dodatkiColumns(), "ID");
    r.newPassHeading = "Przenosimy dodatki z dodatki_new.mdb";
    r.refusalsNameKey = true;
    r.counts = &MergeState::dodatki;
    return r;
}

void runTableMerge(MergeState& state, const TableMergeRules& rules) { TableMerge(state, rules).run(); }

}  // namespace catalog
