// One wording per fault; the engine's English detail stays out of it.
#include "catalog/jet_error_text.h"

#include <iterator>

#include "catalog/catalog_error.h"
#include "engine_text/file_error_text.h"
#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace catalog {

namespace {

// The faults from NotJet4 to ReadOnly read "<lead><file><tail>". Without a tail the system
// refused the file: its reason follows in brackets where it gave one, else a full stop.
struct Wording {
    const char* lead;
    const char* tail;
};

// In the order of jet::JetFault, from NotJet4.
constexpr Wording kWordings[] = {
    {"Plik ", " nie jest bazą danych Jet 4 (Access 2000-2003)."},
    {"Nie można otworzyć bazy danych ", nullptr},
    {"Nie można utworzyć bazy danych ", nullptr},
    {"Błąd odczytu bazy danych ", nullptr},
    {"Błąd zapisu bazy danych ", nullptr},
    {"Baza danych ", " jest otwarta tylko do odczytu."},
};
static_assert(static_cast<std::size_t>(jet::JetFault::ReadOnly) -
                  static_cast<std::size_t>(jet::JetFault::NotJet4) + 1 ==
              std::size(kWordings));

// "… jest uszkodzona (tabela `T`, strona 12)." with either part, both or neither.
std::string damagedText(const jet::JetError& error, std::string_view file) {
    const std::string_view table = error.table();
    const bool named = !table.empty(), paged = error.page() != jet::JetError::kNoPage;
    const platform::DecimalPiece page(error.page());
    return platform::concat({"Baza danych ", file, " jest uszkodzona", named ? " (tabela `" : "", table,
                             named ? "`" : "", paged ? (named ? ", strona " : " (strona ") : "",
                             paged ? std::string_view(page) : "", named || paged ? ")" : "", "."});
}

}  // namespace

std::string jetErrorText(const jet::JetError& error, std::string_view shownFile) {
    const std::string_view file = shownFile.empty() ? std::string_view(error.file()) : shownFile;
    // Damaged, before NotJet4, wraps round to past the table's end.
    const std::size_t row =
        static_cast<std::size_t>(error.fault()) - static_cast<std::size_t>(jet::JetFault::NotJet4);
    if (row < std::size(kWordings)) {
        const Wording& wording = kWordings[row];
        if (wording.tail) return platform::concat({wording.lead, file, wording.tail});
        if (error.systemReason().empty()) return platform::concat({wording.lead, file, "."});
        return platform::concat({wording.lead, file, " (",
                                 engine_text::fileFailureText(error.systemFailure(), error.systemReason()),
                                 ")."});
    }
    switch (error.fault()) {
    case jet::JetFault::NoSuchTable:
        return platform::concat({"Baza danych ", file, " nie ma tabeli `", error.table(), "`."});
    case jet::JetFault::NoSuchColumn:
        return platform::concat(
            {"Tabela `", error.table(), "` bazy danych ", file, " nie ma kolumny `", error.column(), "`."});
    default:
        return damagedText(error, file);
    }
}

void failWithJetErrorText(const jet::JetError& error) { throw CatalogError(jetErrorText(error)); }

}  // namespace catalog
