// The window's non-visual database components: three connections (new, destination and old
// catalog), and a table on each. The window only owns the slots (pakiet a set of its own),
// and each merge fills and releases the ones it serves. Each slot is the only owner of its
// object.
#pragma once

#include <memory>

namespace catalog {

class Connection;
class Table;

struct DatabaseComponents {
    DatabaseComponents();
    // Out of line, where a connection and a table are complete types.
    ~DatabaseComponents();
    DatabaseComponents(const DatabaseComponents&) = delete;
    DatabaseComponents& operator=(const DatabaseComponents&) = delete;

    std::unique_ptr<catalog::Connection> NWconnection;
    std::unique_ptr<catalog::Table> NWTable;
    std::unique_ptr<catalog::Connection> DNconnection;
    std::unique_ptr<catalog::Table> DNTable;
    std::unique_ptr<catalog::Connection> ODConnection;
    std::unique_ptr<catalog::Table> ODTable;
};

}  // namespace catalog
