// Connections on the Jet reader, and on the writer once something is written.
#include "catalog/connection.h"

#include "catalog/catalog_error.h"
#include "catalog/connection_string.h"
#include "catalog/jet_error_text.h"
#include "jet/jet_error.h"

namespace catalog {

namespace {
// Called from a catch-all while opening: an engine error in its own words, another failure
// after `failed` and the file; anything else goes on as it was. One handler for both ways
// of opening a file.
[[noreturn]] void failOpening(std::string_view failed, std::string_view path) {
    try {
        throw;
    } catch (const jet::JetError& e) {
        failWithJetErrorText(e);
    } catch (const std::exception& e) {
        failCatalog({failed, path, ": ", e.what()});
    }
}
}  // namespace

Connection::~Connection() {
    try {
        disconnect();
    } catch (...) {
        // Released without a caller to tell; disconnect() reports.
    }
}

void Connection::connect() {
    if (connected()) return;
    const ConnectionSettings settings = parseConnectionString(connectionString_);
    // Reading the catalogue proves the file is there and sound without touching a byte of it.
    try {
        reader_.reset(new jet::Database(jet::Database::open(files_, settings.path, jet::OpenMode::ReadOnly)));
    } catch (...) {
        failOpening("Nie można otworzyć bazy danych ", settings.path);
    }
    path_ = settings.path;
    connected_ = true;
}

void Connection::disconnect() {
    reader_.reset();
    connected_ = false;
    if (!writer_) return;
    auto writer = std::move(writer_);
    try {
        writer->close();
    } catch (const jet::JetError& e) {
        failCatalog({"Nie można zapisać bazy danych ", path_, ": ", jetErrorText(e)});
    } catch (const std::exception& e) {
        failCatalog({"Nie można zapisać bazy danych ", path_, ": ", e.what()});
    }
}

jet::write::DatabaseWriter& Connection::writer() {
    if (!connected_) failCatalog({"Połączenie z bazą danych nie jest otwarte."});
    if (!writer_) {
        try {
            writer_ = jet::write::DatabaseWriter::open(files_, path_);
        } catch (...) {
            failOpening("Nie można otworzyć do zapisu bazy danych ", path_);
        }
        // From now on readers look through the writer, which sees its unwritten pages.
        reader_.reset();
    }
    return *writer_;
}

std::shared_ptr<jet::Database> Connection::reader() {
    if (!connected_) failCatalog({"Połączenie z bazą danych nie jest otwarte."});
    if (!writer_) return reader_;
    if (!reader_ || readerGeneration_ != writer_->generation()) {
        reader_.reset();
        reader_.reset(new jet::Database(writer_->readView()));
        readerGeneration_ = writer_->generation();
    }
    return reader_;
}

}  // namespace catalog
