// The command line: the debug switch first (whole argument, A-Z folded), then the switches
// of unattended installation. Nothing here throws: a bad argument is listed in `unknown`.
#include "app/command_line.h"

#include "platform/ascii_case.h"
#include "platform/paths.h"

namespace app {

namespace {

// `lowered`: the argument with A-Z folded.
bool isDebugForm(const std::string& lowered) {
    return lowered == "/d" || lowered == "/debug" || lowered == "d" || lowered == "debug";
}

// The value after `prefix` ("/log=", lower case) when `arg` starts with it in any letter case;
// `lowered` is `arg` with A-Z folded, so its bytes lie where the argument's do.
std::optional<std::string> valueAfter(const std::string& arg, const std::string& lowered,
                                      std::string_view prefix) {
    if (!lowered.starts_with(prefix)) return std::nullopt;
    return arg.substr(prefix.size());
}

}  // namespace

InstallerOptions readCommandLine(const std::vector<std::string>& args) {
    InstallerOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::string lowered = platform::asciiLowered(arg);
        if (isDebugForm(lowered)) {
            // Only the first argument switches debug mode on, as it always has.
            if (i == 0) options.logLevel = session::LogLevel::Debug;
        } else if (lowered == "/s") {
            options.silent = true;
        } else if (lowered == "/?" || lowered == "/h") {
            options.help = true;
        } else if (std::optional<std::string> file = valueAfter(arg, lowered, "/log=")) {
            if (file->empty()) options.unknown.push_back(arg);
            else options.logFile = std::move(*file);
        } else if (std::optional<std::string> folder = valueAfter(arg, lowered, "/d=")) {
            if (folder->empty()) {
                options.unknown.push_back(arg);
                continue;
            }
            for (++i; i < args.size(); ++i) (*folder += ' ') += args[i];
            options.hostFolder = givenHostFolder(std::move(*folder));
        } else {
            options.unknown.push_back(arg);
        }
    }
    return options;
}

std::string givenHostFolder(std::string folder) {
    // "/D=C:\CAD 2.0\" quoted reaches us as C:\CAD 2.0" (the backslash escapes the quote); no
    // Windows path holds a quote.
    if (!folder.empty() && folder.back() == '"') folder.pop_back();
    return platform::withTrailingSeparator(std::move(folder));
}

std::string_view commandLineHelp() {
    return "Instalator pakietów CAD LUMOR\n"
           "\n"
           "Przełączniki (wielkość liter bez znaczenia, dowolna kolejność):\n"
           "  /S            instalacja bez okna, bez pytań\n"
           "  /D=folder     folder programu CAD zamiast wyszukiwania na dyskach;\n"
           "                zawsze ostatni, może zawierać spacje\n"
           "  /LOG=plik     dziennik dopisywany do pliku (UTF-8)\n"
           "  /d            tryb diagnostyczny (tylko jako pierwszy argument)\n"
           "  /? lub /h     ta pomoc\n"
           "\n"
           "Kody wyjścia:\n"
           "  0  pakiet zainstalowany\n"
           "  1  instalacja nie była możliwa; nic nie zmieniono\n"
           "  2  błędne wywołanie\n"
           "  3  instalacja nie powiodła się; zmiany cofnięto\n"
           "  4  instalacja nie powiodła się; katalog odłożono obok (ścieżka w dzienniku)\n"
           "  5  okno zamknięto bez instalowania\n";
}

}  // namespace app
