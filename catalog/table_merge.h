// The two table merges the driver runs, mergeInfoProducent then mergeDodatki: both copy the
// new catalog's records over the old one's by match key in two passes (old records first,
// then the new records the destination does not hold yet) and differ only in the points
// TableMergeRules lists. They raise CatalogError on any failure and leave the catching to
// the driver.
#pragma once

#include <string>
#include <vector>

#include "catalog/merge_state.h"

namespace catalog {

struct TableMergeRules {
    std::string table;
    std::vector<std::string> columns;  // copied in this order
    std::size_t keyColumn = 0;         // the match key, an index into columns
    std::size_t nameColumn = 0;        // `Nazwa`, where "DELETE" marks a deletion
    // An old record the new catalog lacks is carried over even when named "DELETE".
    bool carryOldMarkers = false;
    std::string newPassHeading;
    // The new pass writes "[NW] " + key for every record, markers included; otherwise
    // "[NW] " + key + " : " + Nazwa + " - dopisano" for the records that are no marker.
    bool newLineForEveryRecord = false;
    // The destination's primary key is the match key, so the engine's refusals name the
    // record by it; otherwise the merge adds the key to the message.
    bool refusalsNameKey = false;
    TableMergeCounts MergeState::*counts = nullptr;
};

TableMergeRules infoProducentRules();
TableMergeRules dodatkiRules();

// The deletion marker's name.
constexpr const char* kDeleteMarker = "DELETE";

void runTableMerge(MergeState& state, const TableMergeRules& rules);

inline void mergeInfoProducent(MergeState& state) { runTableMerge(state, infoProducentRules()); }
inline void mergeDodatki(MergeState& state) { runTableMerge(state, dodatkiRules()); }

}  // namespace catalog
