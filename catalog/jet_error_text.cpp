// One wording per fault; the engine's English detail stays out of it.
#include "catalog/jet_error_text.h"

#include "catalog/catalog_error.h"
#include "engine_text/file_error_text.h"
#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace catalog {

std::string jetErrorText(const jet::JetError& error, std::string_view shownFile) {
    const std::string_view file = shownFile.empty() ? std::string_view(error.file()) : shownFile;
    // Most faults read "<lead><file><tail>"; those the system refused add its reason.
    std::string_view lead = "Baza danych ", tail = ".";
    bool withReason = false;
    switch (error.fault()) {
    case jet::JetFault::NotJet4:
        lead = "Plik ";
        tail = " nie jest bazą danych Jet 4 (Access 2000-2003).";
        break;
    case jet::JetFault::CannotOpen:
        lead = "Nie można otworzyć bazy danych ";
        withReason = true;
        break;
    case jet::JetFault::CannotCreate:
        lead = "Nie można utworzyć bazy danych ";
        withReason = true;
        break;
    case jet::JetFault::CannotRead:
        lead = "Błąd odczytu bazy danych ";
        withReason = true;
        break;
    case jet::JetFault::CannotWrite:
        lead = "Błąd zapisu bazy danych ";
        withReason = true;
        break;
    case jet::JetFault::ReadOnly: tail = " jest otwarta tylko do odczytu."; break;
    case jet::JetFault::NoSuchTable:
        return platform::concat({"Baza danych ", file, " nie ma tabeli `", error.table(), "`."});
    case jet::JetFault::NoSuchColumn:
        return platform::concat(
            {"Tabela `", error.table(), "` bazy danych ", file, " nie ma kolumny `", error.column(), "`."});
    case jet::JetFault::Damaged:
    default: {
        // "… jest uszkodzona (tabela `T`, strona 12)." with either part, both or neither.
        const std::string_view table = error.table();
        const bool named = !table.empty(), paged = error.page() != jet::JetError::kNoPage;
        const platform::DecimalPiece page(error.page());
        return platform::concat({"Baza danych ", file, " jest uszkodzona", named ? " (tabela `" : "", table,
                                 named ? "`" : "", paged ? (named ? ", strona " : " (strona ") : "",
                                 paged ? std::string_view(page) : "", named || paged ? ")" : "", "."});
    }
    }
    if (withReason && !error.systemReason().empty())
        return platform::concat(
            {lead, file, " (", engine_text::fileFailureText(error.systemFailure(), error.systemReason()), ")."});
    return platform::concat({lead, file, tail});
}

void failWithJetErrorText(const jet::JetError& error) { throw CatalogError(jetErrorText(error)); }

}  // namespace catalog
