// The reason of a name's refusal is said in its own words; the ZIP library's English detail
// stays in traces only.
#include "archive/archive_messages.h"

#include "archive/zip/safe_name.h"

namespace archive {

namespace {

std::string quoted(const std::string& text) { return "`" + text + "`"; }

}  // namespace

std::string messageFor(const zip::ZipError& error) {
    const std::string m = quoted(error.member());
    using zip::Fault;
    switch (error.fault()) {
        case Fault::Truncated:
            return error.member().empty() ? "Archiwum ZIP jest niekompletne."
                                          : "Archiwum ZIP kończy się przed końcem pliku " + m + ".";
        case Fault::BadEndRecord: return "Nie znaleziono końca katalogu archiwum ZIP.";
        case Fault::Zip64:
            return error.member().empty() ? "Rekord ZIP64 na końcu archiwum ZIP jest uszkodzony lub sprzeczny."
                                          : "Pole ZIP64 pliku " + m + " w archiwum ZIP jest uszkodzone.";
        case Fault::MultiDisk: return "Archiwum ZIP podzielone na części nie jest obsługiwane.";
        case Fault::BadCentralDirectory: return "Katalog archiwum ZIP jest uszkodzony.";
        case Fault::BadLocalHeader: return "Nagłówek pliku " + m + " w archiwum ZIP jest uszkodzony.";
        case Fault::HeaderMismatch: return "Nagłówek pliku " + m + " nie zgadza się z katalogiem archiwum ZIP.";
        case Fault::Overlap: return "Dane pliku " + m + " w archiwum ZIP nachodzą na inne dane archiwum.";
        case Fault::Encrypted: return "Plik " + m + " w archiwum ZIP jest zaszyfrowany.";
        case Fault::UnsupportedMethod: return "Plik " + m + " w archiwum ZIP jest spakowany nieobsługiwaną metodą.";
        case Fault::BadCompressedData: return "Dane pliku " + m + " w archiwum ZIP są uszkodzone.";
        case Fault::SizeMismatch: return "Rozmiar pliku " + m + " nie zgadza się z katalogiem archiwum ZIP.";
        case Fault::CrcMismatch: return "Suma kontrolna pliku " + m + " w archiwum ZIP jest błędna.";
        case Fault::UnsafeName: return "Niedozwolona nazwa pliku " + m + " w archiwum ZIP.";
        case Fault::NotRegularFile: return "Plik " + m + " w archiwum ZIP jest dowiązaniem, a nie zwykłym plikiem.";
        case Fault::DuplicateName: return "Plik " + m + " występuje w archiwum ZIP więcej niż raz.";
        case Fault::MemberNotFound: return "Brak pliku " + m + " w archiwum ZIP.";
    }
    return "Archiwum ZIP jest uszkodzone.";
}


}  // namespace archive
