// One wording per fault; the engine's English detail stays out of it.
#include "catalog/jet_error_text.h"

#include "catalog/catalog_error.h"
#include "engine_text/file_error_text.h"
#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace catalog {

namespace {

std::string withReason(std::string_view failed, std::string_view file, const jet::JetError& error) {
    if (error.systemReason().empty()) return platform::concat({failed, file, "."});
    return platform::concat(
        {failed, file, " (", engine_text::fileFailureText(error.systemFailure(), error.systemReason()), ")."});
}

}  // namespace

std::string jetErrorText(const jet::JetError& error, std::string_view shownFile) {
    const std::string_view file = shownFile.empty() ? std::string_view(error.file()) : shownFile;
    switch (error.fault()) {
    case jet::JetFault::NotJet4:
        return platform::concat({"Plik ", file, " nie jest bazą danych Jet 4 (Access 2000-2003)."});
    case jet::JetFault::CannotOpen: return withReason("Nie można otworzyć bazy danych ", file, error);
    case jet::JetFault::CannotCreate: return withReason("Nie można utworzyć bazy danych ", file, error);
    case jet::JetFault::CannotRead: return withReason("Błąd odczytu bazy danych ", file, error);
    case jet::JetFault::CannotWrite: return withReason("Błąd zapisu bazy danych ", file, error);
    case jet::JetFault::ReadOnly:
        return platform::concat({"Baza danych ", file, " jest otwarta tylko do odczytu."});
    case jet::JetFault::NoSuchTable:
        return platform::concat({"Baza danych ", file, " nie ma tabeli `", error.table(), "`."});
    case jet::JetFault::NoSuchColumn:
        return platform::concat(
            {"Tabela `", error.table(), "` bazy danych ", file, " nie ma kolumny `", error.column(), "`."});
    case jet::JetFault::Damaged:
        break;
    }
    // "… jest uszkodzona (tabela `T`, strona 12)." with either part, both or neither.
    const std::string_view table = error.table();
    const bool named = !table.empty(), paged = error.page() != jet::JetError::kNoPage;
    const platform::DecimalPiece page(error.page());
    return platform::concat({"Baza danych ", file, " jest uszkodzona", named ? " (tabela `" : "", table,
                             named ? "`" : "", paged ? (named ? ", strona " : " (strona ") : "",
                             paged ? std::string_view(page) : "", named || paged ? ")" : "", "."});
}

void failWithJetErrorText(const jet::JetError& error) { throw CatalogError(jetErrorText(error)); }

}  // namespace catalog
