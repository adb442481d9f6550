// One wording per fault; the engine's English detail stays out of it.
#include "catalog/jet_error_text.h"

#include "engine_text/file_error_text.h"

namespace catalog {

namespace {

std::string withReason(const std::string& sentence, const jet::JetError& error) {
    if (error.systemReason().empty()) return sentence + ".";
    return sentence + " (" + engine_text::fileFailureText(error.systemFailure(), error.systemReason()) + ").";
}

}  // namespace

std::string jetErrorText(const jet::JetError& error, const std::string& shownFile) {
    const std::string& file = shownFile.empty() ? error.file() : shownFile;
    switch (error.fault()) {
    case jet::JetFault::NotJet4:
        return "Plik " + file + " nie jest bazą danych Jet 4 (Access 2000-2003).";
    case jet::JetFault::CannotOpen:
        return withReason("Nie można otworzyć bazy danych " + file, error);
    case jet::JetFault::CannotCreate:
        return withReason("Nie można utworzyć bazy danych " + file, error);
    case jet::JetFault::CannotRead:
        return withReason("Błąd odczytu bazy danych " + file, error);
    case jet::JetFault::CannotWrite:
        return withReason("Błąd zapisu bazy danych " + file, error);
    case jet::JetFault::ReadOnly:
        return "Baza danych " + file + " jest otwarta tylko do odczytu.";
    case jet::JetFault::NoSuchTable:
        return "Baza danych " + file + " nie ma tabeli `" + error.table() + "`.";
    case jet::JetFault::NoSuchColumn:
        return "Tabela `" + error.table() + "` bazy danych " + file + " nie ma kolumny `" +
               error.column() + "`.";
    case jet::JetFault::Damaged:
        break;
    }
    std::string text = "Baza danych " + file + " jest uszkodzona";
    if (!error.table().empty()) text += " (tabela `" + error.table() + "`";
    if (error.page() != jet::JetError::kNoPage)
        text += (error.table().empty() ? " (strona " : ", strona ") + std::to_string(error.page());
    if (!error.table().empty() || error.page() != jet::JetError::kNoPage) text += ")";
    return text + ".";
}

}  // namespace catalog
