// Usage texts of pakiet's commands.
#include "cli/command_usage.h"

#include <cstdio>

namespace cli {

namespace {

struct Usage {
    std::string_view command;
    std::string_view text;
};

constexpr Usage kUsages[] = {
    {"build",
     "użycie: pakiet build --package KAT/P [--stub x86_64|i686|INSTALATOR.exe] [--extra PLIK_LUB_KATALOG]... [--output WYJ.exe]\n"
     "       [--version X.Y.Z [--publisher NAZWA]]\n"
     "  --package  katalog paczki z plikiem dodatki.mdb; KAT/P.jpg to okładka, KAT/P.txt jest opcjonalny\n"
     "  --stub     program startowy: x86_64 (domyślnie) lub i686 z instalacji pakietu, albo ścieżka do pliku\n"
     "  --extra    plik lub katalog instalowany obok paczki (można powtarzać)\n"
     "  --output   instalator do zapisania (domyślnie P.exe w bieżącym katalogu)\n"
     "  --version X.Y.Z    wersja paczki w zasobie wersji instalatora (Eksplorator, reguły wykrywania)\n"
     "  --publisher NAZWA  wydawca paczki w zasobie wersji (tylko z --version)\n"
     "  Z ustawioną zmienną SOURCE_DATE_EPOCH pliki w archiwum mają tę datę (budowy powtarzalne).\n"},
    {"verify",
     "użycie: pakiet verify INSTALATOR.exe\n"
     "  Sprawdza zakończenie instalatora, archiwum, układ paczki i podpis Authenticode, jeśli jest.\n"},
    {"extract",
     "użycie: pakiet extract INSTALATOR.exe KATALOG\n"
     "  Rozpakowuje paczkę instalatora do KATALOGU tak, jak robi to instalacja.\n"},
    {"install",
     "użycie: pakiet install INSTALATOR [--dry-run] [--debug] [--drive-root KATALOG]... [--host KATALOG]\n"
     "  Uruchamia instalator bez okna w bieżącym katalogu (katalog roboczy ./tmp): start,\n"
     "  przygotowanie, a potem kliknięcie INSTALUJ, jak zrobiłby to użytkownik, i Zamknij.\n"
     "  Wypisuje dziennik (z --debug wszystkie wiersze).\n"
     "  --dry-run             tylko przygotowanie: czy przycisk INSTALUJ byłby dostępny\n"
     "  --drive-root KATALOG  szuka w KATALOGU zamiast na dyskach systemu (można powtarzać)\n"
     "  --host KATALOG        wpisuje KATALOG w pole folderu po przygotowaniu\n"
     "  Kody wyjścia:\n"
     "    0  instalacja zakończona (z --dry-run: INSTALUJ byłby dostępny)\n"
     "    1  instalacja nie była możliwa (INSTALUJ niedostępny albo odmowa przed pierwszą\n"
     "       zmianą, np. uszkodzona paczka); nic nie zmieniono\n"
     "    2  błędne wywołanie\n"
     "    3  instalacja nie powiodła się; zmiany cofnięto, katalog jest taki jak przedtem\n"
     "    4  instalacja nie powiodła się i nie wszystko przywrócono: katalog jest w pliku\n"
     "       dodatki_old.mdb albo pliki pakietu czekają na następne uruchomienie\n"
     "       (komunikaty podają pełne ścieżki)\n"},
    {"run-headless",
     "użycie: pakiet run-headless [ARGUMENTY INSTALATORA]\n"
     "  Uruchamia instalator bez okna w bieżącym katalogu, czeka na jego zegar, wypisuje dziennik\n"
     "  i zamyka go. Argumenty są wierszem poleceń instalatora (np. /d: tryb debugowania).\n"},
    {"status",
     "użycie: pakiet status FOLDER_PROGRAMU_CAD [PAKIET]\n"
     "  Wypisuje zapisy instalacji (instalacja.lumor.txt) pakietów w FOLDER\\dodatki:\n"
     "  pakiet, wersję, instalator, datę i pliki z rozmiarem i CRC-32.\n"
     "  Kody wyjścia: 0 znaleziono zapis, 1 brak zapisu, 2 błędne wywołanie.\n"},
    {"catalog",
     "użycie: pakiet catalog CZYNNOŚĆ ...\n"
     "  pakiet catalog tables PLIK [--system] [--linked]   lista tabel\n"
     "  pakiet catalog schema PLIK [TABELA] [--format text|jsonl]   kolumny i indeksy\n"
     "  pakiet catalog dump PLIK TABELA [--format csv|jsonl]   wszystkie wiersze tabeli\n"
     "  pakiet catalog create PLIK [--force] [--verbose]   pusty katalog (tabele Dodatki i info_producent)\n"
     "  pakiet catalog import PLIK TABELA --csv DANE.csv [--separator ZNAK] [--encoding utf-8|windows-1250]\n"
     "      dopisuje wiersze pliku CSV (wiersz nagłówka; także CSV z Excela: średniki, Windows-1250)\n"
     "  pakiet catalog merge NOWY STARY WYNIK [--debug]   scalanie jak w instalatorze\n"
     "      (STARY może nie istnieć, WYNIK nie może)\n"
     "  pakiet catalog CZYNNOŚĆ --help   opis jednej czynności\n"},
    {"catalog tables",
     "użycie: pakiet catalog tables PLIK [--system] [--linked]\n"
     "  Wypisuje tabele użytkownika; --system dodaje tabele systemowe, --linked tabele połączone.\n"},
    {"catalog schema",
     "użycie: pakiet catalog schema PLIK [TABELA] [--format text|jsonl]\n"
     "  Wypisuje kolumny (nazwa, typ, długość) i indeksy tabeli albo wszystkich tabel.\n"},
    {"catalog dump",
     "użycie: pakiet catalog dump PLIK TABELA [--format csv|jsonl]\n"
     "  Wypisuje wszystkie wiersze tabeli (CSV w UTF-8 z wierszem nagłówka albo JSON w wierszach).\n"},
    {"catalog create",
     "użycie: pakiet catalog create PLIK [--force] [--verbose]\n"
     "  Tworzy pusty katalog z tabelami info_producent i Dodatki; --force zastępuje istniejący plik.\n"
     "  Z ustawioną zmienną SOURCE_DATE_EPOCH daty w tabelach systemowych mają tę wartość.\n"},
    {"catalog import",
     "użycie: pakiet catalog import PLIK TABELA --csv DANE.csv [--separator ZNAK] [--encoding utf-8|windows-1250]\n"
     "  Dopisuje do TABELI wiersze pliku CSV; pierwszy wiersz to nazwy kolumn.\n"
     "  Bez opcji rozpoznaje: kodowanie (UTF-8, z BOM lub bez, albo Windows-1250) i separator\n"
     "  (przecinek, średnik lub tabulator, z wiersza nagłówka). W kolumnach liczbowych\n"
     "  i walutowych przyjmuje przecinek dziesiętny (12,5), gdy separatorem nie jest przecinek.\n"},
    {"catalog merge",
     "użycie: pakiet catalog merge NOWY STARY WYNIK [--debug]\n"
     "  Scala katalog NOWY z katalogiem STARYM do nowego pliku WYNIK, jak instalator: znaczniki\n"
     "  DELETE usuwają pozycje, pozycje użytkownika zostają. STARY może nie istnieć, WYNIK nie może.\n"},
};

}  // namespace

std::string_view usageText(std::string_view command) {
    for (const Usage& usage : kUsages)
        if (usage.command == command) return usage.text;
    return {};
}

bool asksForHelp(const Args& args) {
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h") return true;
    return false;
}

int printHelp(std::string_view command) {
    const std::string_view text = usageText(command);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

int usageError(std::string_view command, const std::string& problem) {
    const std::string_view text = usageText(command);
    std::fprintf(stderr, "pakiet %.*s: %s\n", static_cast<int>(command.size()), command.data(), problem.c_str());
    std::fwrite(text.data(), 1, text.size(), stderr);
    return 2;
}

}  // namespace cli
