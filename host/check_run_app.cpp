// The guard's scan: every process is logged with its position of "CAD", the scan always runs
// to the end so that debug mode shows the whole list, and the user is told the last conflict.
#include "host/check_run_app.h"

#include <exception>
#include <string>

#include "engine_text/system_error_text.h"
#include "host/xpos.h"
#include "platform/decimal_piece.h"

namespace host {

namespace {

constexpr std::string_view kCadLetters = "CAD";
// A launcher that carries the letters in its name but is not a CAD program.
constexpr std::string_view kExemptName = "runcad.exe";
// The host program itself, always conflicting.
constexpr std::string_view kHostExecutable = "CADLumorPro.exe";

bool isConflicting(const std::string& exeName, int cadPosition) {
    return (cadPosition > 0 && exeName != kExemptName) || exeName == kHostExecutable;
}

}  // namespace

bool CheckRunApp(session::Log& log, platform::System& system) {
    log.info(2, "Sprawdzamy uruchomienie applikacji CAD.");
    try {
        bool conflict = false;
        std::string findApp;
        for (const platform::ProcessEntry& process : system.processSnapshot()) {
            const std::string& name = process.exeName;
            const int position = XPos(kCadLetters, name);
            log.info(2,
                     {"Znaleziona w pamięci aplikację: ", name, " : ", platform::DecimalPiece(position)});
            if (isConflicting(name, position)) {
                conflict = true;
                log.info(2, {"Wykryto konfliktową aplikację: ", name});
                findApp = name;
            }
        }
        if (!conflict) {
            log.info(2, "Nie znaleziono uruchomionej applikacji CAD.");
            return true;
        }
        log.info(1, {"Wyłącz program ", findApp, " i spróbuj ponownie."});
        return false;
    } catch (const platform::SystemError& error) {
        log.info(1, {"[BŁAD]", engine_text::systemErrorText(error)});
        return false;
    } catch (const std::exception& error) {
        log.info(1, {"[BŁAD]", error.what()});
        return false;
    }
}

}  // namespace host
