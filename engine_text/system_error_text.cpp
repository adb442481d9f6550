// One sentence per query; the place read (/proc) follows where the system named one.
#include "engine_text/system_error_text.h"

namespace engine_text {

std::string systemErrorText(const platform::SystemError& error) {
    std::string text;
    switch (error.query()) {
        case platform::SystemQuery::ProcessSnapshot: text = "Nie można pobrać listy procesów"; break;
        case platform::SystemQuery::ProcessList: text = "Nie można odczytać listy procesów"; break;
        case platform::SystemQuery::ExecutablePath: text = "Nie można ustalić ścieżki programu"; break;
        case platform::SystemQuery::CurrentDirectory: text = "Nie można ustalić bieżącego katalogu"; break;
    }
    if (!error.place().empty()) text += " z " + error.place();
    return text + " (" + error.reason() + ")";
}

}  // namespace engine_text
