// The Polish wording of the engine's typed errors: one sentence per fault, naming the file
// and what in it, never the engine's English detail.
#include <gtest/gtest.h>

#include "catalog/jet_error_text.h"

namespace {

TEST(JetErrorText, EachFaultNamesTheFileAndWhatInIt) {
    using jet::JetError;
    using jet::JetFault;
    const struct {
        JetError error;
        std::string said;
    } cases[] = {
        {JetError(JetFault::NotJet4, "C:\\a.mdb", "a Jet 3 database"), "Plik C:\\a.mdb nie jest bazą danych Jet 4 (Access 2000-2003)."},
        {JetError::system(JetFault::CannotOpen, "C:\\a.mdb", "cannot open", "Odmowa dostępu."),
         "Nie można otworzyć bazy danych C:\\a.mdb (Odmowa dostępu.)."},
        {JetError::system(JetFault::CannotWrite, "C:\\a.mdb", "cannot flush", "Dysk jest pełny."),
         "Błąd zapisu bazy danych C:\\a.mdb (Dysk jest pełny.)."},
        {JetError::system(JetFault::CannotOpen, "/k/a.mdb", "cannot open", "No such file or directory",
                          platform::FileFailure::NotFound),
         "Nie można otworzyć bazy danych /k/a.mdb (Nie ma takiego pliku ani folderu.)."},
        {JetError(JetFault::NoSuchTable, "C:\\a.mdb", "Dodatki", "no such table"), "Baza danych C:\\a.mdb nie ma tabeli `Dodatki`."},
        {JetError::noSuchColumn("C:\\a.mdb", "Dodatki", "Cena"), "Tabela `Dodatki` bazy danych C:\\a.mdb nie ma kolumny `Cena`."},
        {JetError("C:\\a.mdb", 17u, "usage map row too short"), "Baza danych C:\\a.mdb jest uszkodzona (strona 17)."},
        {JetError("C:\\a.mdb", "Dodatki", "row overlaps"), "Baza danych C:\\a.mdb jest uszkodzona (tabela `Dodatki`)."},
        {JetError(JetFault::ReadOnly, "C:\\a.mdb", "read-only"), "Baza danych C:\\a.mdb jest otwarta tylko do odczytu."},
        {JetError("C:\\a.mdb", "bad header"), "Baza danych C:\\a.mdb jest uszkodzona."},
        {JetError("C:\\a.mdb", 4294967294u, "page past the end"),
         "Baza danych C:\\a.mdb jest uszkodzona (strona 4294967294)."},
    };
    for (const auto& c : cases) EXPECT_EQ(catalog::jetErrorText(c.error), c.said);
}

TEST(JetErrorText, TheShownFileStandsForTheCopyTheEngineWorkedOn) {
    const jet::JetError error = jet::JetError::system(jet::JetFault::CannotRead, "/tmp/kopia.mdb", "cannot read", "");
    EXPECT_EQ(catalog::jetErrorText(error, "C:\\dodatki.mdb"), "Błąd odczytu bazy danych C:\\dodatki.mdb.");
    EXPECT_EQ(catalog::jetErrorText(error), "Błąd odczytu bazy danych /tmp/kopia.mdb.");
}

// Only the faults of a refusing system carry its reason; the others keep their own sentence
// even when a reason came along.
TEST(JetErrorText, OnlyTheSystemsRefusalsSayTheReason) {
    using jet::JetError;
    using jet::JetFault;
    const struct {
        JetError error;
        std::string said;
    } cases[] = {
        {JetError::system(JetFault::CannotCreate, "C:\\a.mdb", "cannot create", "Plik istnieje."),
         "Nie można utworzyć bazy danych C:\\a.mdb (Plik istnieje.)."},
        {JetError::system(JetFault::CannotCreate, "C:\\a.mdb", "cannot create", ""),
         "Nie można utworzyć bazy danych C:\\a.mdb."},
        {JetError::system(JetFault::CannotRead, "C:\\a.mdb", "cannot read", "Błąd urządzenia."),
         "Błąd odczytu bazy danych C:\\a.mdb (Błąd urządzenia.)."},
        {JetError::system(JetFault::CannotWrite, "C:\\a.mdb", "cannot write", ""),
         "Błąd zapisu bazy danych C:\\a.mdb."},
        {JetError::system(JetFault::NotJet4, "C:\\a.mdb", "too short", "Odmowa dostępu."),
         "Plik C:\\a.mdb nie jest bazą danych Jet 4 (Access 2000-2003)."},
        {JetError::system(JetFault::ReadOnly, "C:\\a.mdb", "read-only", "Odmowa dostępu."),
         "Baza danych C:\\a.mdb jest otwarta tylko do odczytu."},
        {JetError::system(JetFault::Damaged, "C:\\a.mdb", "bad page", "Odmowa dostępu."),
         "Baza danych C:\\a.mdb jest uszkodzona."},
    };
    for (const auto& c : cases) EXPECT_EQ(catalog::jetErrorText(c.error), c.said) << c.said;
}

TEST(JetErrorText, TheShownFileStandsInEveryKindOfSentence) {
    using jet::JetError;
    using jet::JetFault;
    const std::string_view shown = "C:\\dodatki.mdb";
    EXPECT_EQ(catalog::jetErrorText(JetError(JetFault::NotJet4, "/tmp/k.mdb", "short"), shown),
              "Plik C:\\dodatki.mdb nie jest bazą danych Jet 4 (Access 2000-2003).");
    EXPECT_EQ(catalog::jetErrorText(JetError::noSuchColumn("/tmp/k.mdb", "T", "C"), shown),
              "Tabela `T` bazy danych C:\\dodatki.mdb nie ma kolumny `C`.");
    EXPECT_EQ(catalog::jetErrorText(JetError("/tmp/k.mdb", "T", "row overlaps"), shown),
              "Baza danych C:\\dodatki.mdb jest uszkodzona (tabela `T`).");
}

}  // namespace
