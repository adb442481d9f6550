// The reason of a name's refusal is said in its own words; the ZIP library's English detail
// stays in traces only.
#include "archive/archive_messages.h"

#include <string_view>

#include "platform/concat.h"

namespace archive {

namespace {

// A fault's sentence: `before`, the member in grave accents and `after`; `whole` instead when
// the sentence names no member, or names none for a fault of the archive as a whole (no
// member given).
struct Wording {
    std::string_view whole;
    std::string_view before = {};
    std::string_view after = {};
};

Wording wordingOf(zip::Fault fault) {
    using zip::Fault;
    switch (fault) {
        case Fault::Truncated:
            return {"Archiwum ZIP jest niekompletne.", "Archiwum ZIP kończy się przed końcem pliku ", "."};
        case Fault::BadEndRecord: return {"Nie znaleziono końca katalogu archiwum ZIP."};
        case Fault::Zip64:
            return {"Rekord ZIP64 na końcu archiwum ZIP jest uszkodzony lub sprzeczny.", "Pole ZIP64 pliku ",
                    " w archiwum ZIP jest uszkodzone."};
        case Fault::MultiDisk: return {"Archiwum ZIP podzielone na części nie jest obsługiwane."};
        case Fault::BadCentralDirectory: return {"Katalog archiwum ZIP jest uszkodzony."};
        case Fault::BadLocalHeader: return {{}, "Nagłówek pliku ", " w archiwum ZIP jest uszkodzony."};
        case Fault::HeaderMismatch: return {{}, "Nagłówek pliku ", " nie zgadza się z katalogiem archiwum ZIP."};
        case Fault::Overlap: return {{}, "Dane pliku ", " w archiwum ZIP nachodzą na inne dane archiwum."};
        case Fault::Encrypted: return {{}, "Plik ", " w archiwum ZIP jest zaszyfrowany."};
        case Fault::UnsupportedMethod: return {{}, "Plik ", " w archiwum ZIP jest spakowany nieobsługiwaną metodą."};
        case Fault::BadCompressedData: return {{}, "Dane pliku ", " w archiwum ZIP są uszkodzone."};
        case Fault::SizeMismatch: return {{}, "Rozmiar pliku ", " nie zgadza się z katalogiem archiwum ZIP."};
        case Fault::CrcMismatch: return {{}, "Suma kontrolna pliku ", " w archiwum ZIP jest błędna."};
        case Fault::UnsafeName: return {{}, "Niedozwolona nazwa pliku ", " w archiwum ZIP."};
        case Fault::NotRegularFile: return {{}, "Plik ", " w archiwum ZIP jest dowiązaniem, a nie zwykłym plikiem."};
        case Fault::DuplicateName: return {{}, "Plik ", " występuje w archiwum ZIP więcej niż raz."};
        case Fault::MemberNotFound: return {{}, "Brak pliku ", " w archiwum ZIP."};
    }
    return {"Archiwum ZIP jest uszkodzone."};
}

}  // namespace

std::string messageFor(const zip::ZipError& error) {
    const Wording wording = wordingOf(error.fault());
    if (wording.before.empty() || (error.member().empty() && !wording.whole.empty()))
        return std::string(wording.whole);
    return platform::concat({wording.before, "`", error.member(), "`", wording.after});
}

}  // namespace archive
