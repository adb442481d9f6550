// A connection to a catalog file (the ADO connection of the merge): takes the open text,
// a login-prompt flag, and connects, opening the file for reading while other connections
// may open it too. The file is opened for writing only at the first change, so a catalog
// whose tables are only read stays byte for byte as it was; disconnecting writes
// everything and lets the file go.
#pragma once

#include <memory>
#include <string>

#include "jet/database.h"
#include "jet/write/database_writer.h"

namespace catalog {

class Connection {
public:
    // The file is reached through `files`, which must outlive the connection.
    explicit Connection(platform::FileSystem& files) : files_(files) {}
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setConnectionString(const std::string& text) { connectionString_ = text; }
    const std::string& connectionString() const { return connectionString_; }
    // No prompt is ever shown; the flag is kept for the callers that switch it off.
    void setLoginPrompt(bool on) { loginPrompt_ = on; }
    bool loginPrompt() const { return loginPrompt_; }

    // Throws CatalogError for a bad text, a missing, held or damaged file.
    void connect();
    // Writes what waits and closes the file; throws CatalogError when the writing fails.
    void disconnect();
    bool connected() const { return connected_; }
    // True once a change has opened the file for writing.
    bool writing() const { return writer_ != nullptr; }
    const std::string& path() const { return path_; }

    // For the table objects: the writer (opened on first use), and a reader of the file as
    // it stands, the writer's changes included.
    jet::write::DatabaseWriter& writer();
    // The reader is shared: a table object keeps the one it walks alive after a later
    // change has made the connection open a fresh one.
    std::shared_ptr<jet::Database> reader();

private:
    platform::FileSystem& files_;
    std::string connectionString_;
    bool loginPrompt_ = true;
    std::string path_;
    bool connected_ = false;
    std::unique_ptr<jet::write::DatabaseWriter> writer_;
    std::shared_ptr<jet::Database> reader_;
    std::uint64_t readerGeneration_ = 0;
};

}  // namespace catalog
