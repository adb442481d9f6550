// One sentence per query; the place read (/proc) follows where the system named one.
#include "engine_text/system_error_text.h"

#include "platform/concat.h"

namespace engine_text {

std::string systemErrorText(const platform::SystemError& error) {
    const char* text = "";
    switch (error.query()) {
        case platform::SystemQuery::ProcessSnapshot: text = "Nie można pobrać listy procesów"; break;
        case platform::SystemQuery::ProcessList: text = "Nie można odczytać listy procesów"; break;
        case platform::SystemQuery::ExecutablePath: text = "Nie można ustalić ścieżki programu"; break;
        case platform::SystemQuery::CurrentDirectory: text = "Nie można ustalić bieżącego katalogu"; break;
    }
    const bool placed = !error.place().empty();
    return platform::concat({text, placed ? " z " : "", error.place(), " (", error.reason(), ")"});
}

}  // namespace engine_text
