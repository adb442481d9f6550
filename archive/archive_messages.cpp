// The reason of a name's refusal is said in its own words; the ZIP library's English detail
// stays in traces only.
#include "archive/archive_messages.h"

#include <iterator>
#include <string_view>

#include "platform/concat.h"

namespace archive {

namespace {

// A fault's sentence: `before`, the member in grave accents and `after`; `whole` instead when
// the sentence names no member, or names none for a fault of the archive as a whole (no
// member given).
struct Wording {
    const char* whole;
    const char* before = nullptr;
    const char* after = nullptr;
};

// In the order of zip::Fault.
constexpr Wording kWordings[] = {
    {"Archiwum ZIP jest niekompletne.", "Archiwum ZIP kończy się przed końcem pliku ", "."},
    {"Nie znaleziono końca katalogu archiwum ZIP."},
    {"Rekord ZIP64 na końcu archiwum ZIP jest uszkodzony lub sprzeczny.", "Pole ZIP64 pliku ",
     " w archiwum ZIP jest uszkodzone."},
    {"Archiwum ZIP podzielone na części nie jest obsługiwane."},
    {"Katalog archiwum ZIP jest uszkodzony."},
    {nullptr, "Nagłówek pliku ", " w archiwum ZIP jest uszkodzony."},
    {nullptr, "Nagłówek pliku ", " nie zgadza się z katalogiem archiwum ZIP."},
    {nullptr, "Dane pliku ", " w archiwum ZIP nachodzą na inne dane archiwum."},
    {nullptr, "Plik ", " w archiwum ZIP jest zaszyfrowany."},
    {nullptr, "Plik ", " w archiwum ZIP jest spakowany nieobsługiwaną metodą."},
    {nullptr, "Dane pliku ", " w archiwum ZIP są uszkodzone."},
    {nullptr, "Rozmiar pliku ", " nie zgadza się z katalogiem archiwum ZIP."},
    {nullptr, "Suma kontrolna pliku ", " w archiwum ZIP jest błędna."},
    {nullptr, "Niedozwolona nazwa pliku ", " w archiwum ZIP."},
    {nullptr, "Plik ", " w archiwum ZIP jest dowiązaniem, a nie zwykłym plikiem."},
    {nullptr, "Plik ", " występuje w archiwum ZIP więcej niż raz."},
    {nullptr, "Brak pliku ", " w archiwum ZIP."},
};
static_assert(std::size(kWordings) == static_cast<std::size_t>(zip::Fault::MemberNotFound) + 1);

Wording wordingOf(zip::Fault fault) {
    const auto at = static_cast<std::size_t>(fault);
    return at < std::size(kWordings) ? kWordings[at] : Wording{"Archiwum ZIP jest uszkodzone."};
}

}  // namespace

std::string messageFor(const zip::ZipError& error) {
    const Wording wording = wordingOf(error.fault());
    if (!wording.before || (error.member().empty() && wording.whole)) return wording.whole;
    return platform::concat({wording.before, "`", error.member(), "`", wording.after});
}

}  // namespace archive
