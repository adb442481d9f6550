// Connections on the Jet writer and reader.
#include "catalog/connection.h"

#include "catalog/catalog_error.h"
#include "catalog/connection_string.h"
#include "catalog/jet_error_text.h"
#include "jet/jet_error.h"

namespace catalog {

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
    try {
        writer_ = jet::write::DatabaseWriter::open(files_, settings.path);
    } catch (const jet::JetError& e) {
        throw CatalogError(jetErrorText(e));
    } catch (const std::exception& e) {
        throw CatalogError("Nie można otworzyć bazy danych " + settings.path + ": " + e.what());
    }
    path_ = settings.path;
}

void Connection::disconnect() {
    reader_.reset();
    if (!writer_) return;
    auto writer = std::move(writer_);
    try {
        writer->close();
    } catch (const jet::JetError& e) {
        throw CatalogError("Nie można zapisać bazy danych " + path_ + ": " + jetErrorText(e));
    } catch (const std::exception& e) {
        throw CatalogError("Nie można zapisać bazy danych " + path_ + ": " + e.what());
    }
}

jet::write::DatabaseWriter& Connection::writer() {
    if (!writer_) throw CatalogError("Połączenie z bazą danych nie jest otwarte.");
    return *writer_;
}

std::shared_ptr<jet::Database> Connection::reader() {
    jet::write::DatabaseWriter& w = writer();
    if (!reader_ || readerGeneration_ != w.generation()) {
        reader_.reset();
        reader_ = std::make_shared<jet::Database>(w.readView());
        readerGeneration_ = w.generation();
    }
    return reader_;
}

}  // namespace catalog
