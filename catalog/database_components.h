// The window's non-visual database components: three connections (new, destination and old
// catalog), and a table on each. The window only owns the slots (pakiet a set of its own),
// and each merge fills and releases the ones it serves.
#pragma once

#include <memory>

namespace catalog {

class Connection;
class Table;

struct DatabaseComponents {
    std::shared_ptr<catalog::Connection> NWconnection;
    std::shared_ptr<catalog::Table> NWTable;
    std::shared_ptr<catalog::Connection> DNconnection;
    std::shared_ptr<catalog::Table> DNTable;
    std::shared_ptr<catalog::Connection> ODConnection;
    std::shared_ptr<catalog::Table> ODTable;
};

}  // namespace catalog
