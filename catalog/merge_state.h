// The state the merge driver (CopyMdb) shares with its two table merges: the three paths and
// their open texts, the window's connection and table slots, the found flag of the searches,
// how the searches run, and what each table merge wrote.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "catalog/database_components.h"
#include "session/log.h"
#include "session/log_level.h"

namespace catalog {

// What one table merge did to the destination.
struct TableMergeCounts {
    std::size_t written = 0;           // records posted to the destination
    std::size_t fromNew = 0;           // of those, copies of new records
    std::size_t keptFromOld = 0;       // of those, old records carried over
    std::size_t removedByMarkers = 0;  // old records dropped: a new marker matched, or their own "DELETE"
};

struct MergeState {
    MergeState(session::Log& theLog, platform::FileSystem& theFiles, DatabaseComponents& theComponents)
        : log(theLog), files(theFiles), components(theComponents) {}

    session::Log& log;
    platform::FileSystem& files;
    DatabaseComponents& components;

    // Debug mode: every search walks its table from the first record and writes its trace
    // lines. Otherwise the searches go through hash indexes built in one pass: the same
    // records are found, in linear time, and no trace line is made.
    session::LogLevel logLevel = session::LogLevel::Normal;
    bool traceSearches() const { return logLevel == session::LogLevel::Debug; }

    std::string nw, od, dn;
    std::string NWDataSource, ODDataSource, DNDataSource;
    // Whether file `od` existed when the driver connected; decided once, so that a table is
    // never closed on a connection that was not opened.
    bool oldTakesPart = false;
    bool findRec = false;

    TableMergeCounts infoProducent;
    TableMergeCounts dodatki;

    void trace(std::string_view txt) {
        if (traceSearches()) log.info(2, txt);
    }
};

}  // namespace catalog
